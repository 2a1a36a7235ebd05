#pragma once
// The card page "&Cartão" of a merchant station: sale ("&Autorizar"), reversal
// ("&Extornar") and balance ("&Saldo") with the card bar, reply memo and status line
// the main window shares with it. Handlers keep the names the station's staff know.
#include "merchant/CardFrame.h"
#include "merchant/TParamVend.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zx {

class Twc;

class CardPage : public QObject {
    Q_OBJECT
public:
    // Builds the pages' controls into the frame and registers the pending-sale check
    // at start-up and close, and Alt+T.
    CardPage(const CardFrame &frame, QObject *parent = nullptr);
    ~CardPage() override;

    // The monthly loyalty debit that replaces a sale on stations of segment 12; until
    // one is set, such a station is told that it is not available.
    void setDebitoMensal(std::function<void(const QString &senha)> debito);

    // Last authorization number (the receipt prints it) and last queried card.
    QString ultimaAutorizacao() const { return m_ultAutoriz; }
    QString ultimoCartao() const { return m_ultCartao; }

    QLineEdit *edtQtdParc() const { return m_edtQtdParc; }
    QLineEdit *edtValor() const { return m_edtValor; }
    QLineEdit *edtAutoriz() const { return m_edtAutoriz; }
    QPushButton *btnImprimir() const { return m_btnImprimir; }

public slots:
    void BtnValidarClick(zx::CardPageKind pagina);
    void BtnImprimirClick();
    void BtnFecharClick();
    void lblUtilAutClick();
    void LblConsDadCartClick();

public:
    // Sends one sale and records it; true when it was authorized.
    bool efetuaVenda(const QString &senha, const QString &tipo);
    // Sends one reversal and marks the local row; the reply's message in `retorno`.
    bool extornaVenda(const TParamVend &venda, bool marcaSempre, QString &retorno,
                      const QString &usuario, bool mostraDialogos);
    // The pending-sale check (start-up and close).
    void verifSolicPend();

    // Field handlers (also run by the focus and key events).
    void EdtNrCartaoEnter();
    void EdtNrCartaoExit();
    void EdtNrCartaoKeyEnter();
    void EdtValorEnter();
    void EdtValorExit();
    void EdtValorKeyEnter();
    void EdtAutorizEnter();
    void EdtAutorizExit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void montaPaginas();
    void status(const QString &texto);
    void memo(const QString &linha);
    void erroValidacao(const QString &texto, const QString &linhaMemo, QWidget *foco);
    bool confereBase();
    bool fluxoAutorizacao(const QString &senha);
    void fluxoExtorno();
    void consultaSaldo(const QString &senha);
    void dataServidorDiaria();
    void habilita(bool sim);
    void aplicaCoresRede();
    void linkVisual(QLabel *label, bool sobre);
    bool semPrompt(CardPageKind pagina) const;
    Twc &wc() const;

    CardFrame m_f;
    QString m_ultAutoriz;
    QString m_ultCartao;
    std::function<void(const QString &)> m_debitoMensal;
    bool m_emRequisicao = false;

    QLabel *m_lblParc = nullptr;
    QLineEdit *m_edtQtdParc = nullptr;
    QLineEdit *m_edtValor = nullptr;
    QLineEdit *m_edtAutoriz = nullptr;
    QPushButton *m_btnImprimir = nullptr;
    QLabel *m_lblUtilAut = nullptr;
    QLabel *m_lblConsDadCart = nullptr;
    QLabel *m_lblObs = nullptr;
};

} // namespace zx
