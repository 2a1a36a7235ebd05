#pragma once
// The protected numeric entry: collects the digits of a password typed on one
// keyboard (digit row or keypad) while bursts of random digits of the same kind are
// injected into the key stream, so that a key logger records noise. The noise is
// recognised and dropped; only the keys the person typed are counted.
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

class QKeyEvent;

namespace zx {

class TInsCarac : public QObject {
    Q_OBJECT
public:
    enum class Teclado { Nenhum, Linha, Numerico };

    // The owner is the form whose keys the entry takes over (its key-down and show).
    explicit TInsCarac(QWidget *form);
    ~TInsCarac() override;

    QLabel *LblRodape() const { return m_rodape; }
    void setLblRodape(QLabel *label);
    QLabel *LBlAux() const { return m_aux; }
    void setLBlAux(QLabel *label);
    // The password box: its key-up events feed the entry; it shows one mask symbol
    // per digit and is read-only while the form is shown.
    QLineEdit *TxtSenha() const { return m_senha; }
    void setTxtSenha(QLineEdit *edit);
    int MxLeng() const { return m_mxLeng; }
    void setMxLeng(int digits) { m_mxLeng = digits; }
    bool MudaEnter() const { return m_mudaEnter; }
    void setMudaEnter(bool on) { m_mudaEnter = on; }
    // The digits typed, "SS" after Enter on an empty entry, or "".
    QString CNPJInsti() const { return m_valor; }

    // Inner state, for the host and tests.
    int fatorRuido() const { return m_fator; }
    bool injetando() const { return m_injetando; }
    Teclado teclado() const { return m_teclado; }
    bool mantemNumLock() const { return m_numLock; }

signals:
    // Enter with MudaEnter on, before the focus moves; origin is the focused control.
    void enterPressionado(QWidget *origin);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Pendente {
        int key;
        bool keypad;
        bool press;
    };

    bool isNoise(const QObject *watched, const QKeyEvent *key);
    bool inForm(const QObject *o) const;
    void formShown();
    bool keyUp(QKeyEvent *key);
    bool keyDown(QKeyEvent *key);
    void burst(Teclado kind);
    void reset();
    void hint();
    void showDigits();
    void keepNumLock();
    void finish(bool accepted);
    int maxDigits() const { return m_mxLeng > 0 ? m_mxLeng : 50; }

    QPointer<QWidget> m_form;
    QPointer<QLabel> m_rodape;
    QPointer<QLabel> m_aux;
    QPointer<QLineEdit> m_senha;
    int m_mxLeng = 0;
    bool m_mudaEnter = false;
    QString m_valor;
    Teclado m_teclado = Teclado::Nenhum;
    int m_fator = 2;
    bool m_injetando = false;
    QTimer m_timer;
    bool m_numLock = true;
    QList<Pendente> m_pendentes; // injected key events not yet seen
};

} // namespace zx
