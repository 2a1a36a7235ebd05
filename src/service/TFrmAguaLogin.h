#pragma once
// The wait window shown while the program talks to the server or runs a long loop:
// a borderless rounded box with one caption, and a gauge with a cancel button that a
// loop reveals through passoAguarde.
#include <QColor>
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zx {

class TFrmAguaLogin : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAguaLogin(const QColor &cor, QWidget *parent = nullptr);

    void setMensagem(const QString &texto);
    QString mensagem() const;
    bool cancelado() const { return m_cancelado; }
    // One step of a loop (see passoAguarde).
    bool passo(int maximo);

    QLabel *lblMensagem() const { return m_label; }
    QProgressBar *gauge() const { return m_gauge; }
    QPushButton *btnCancelar() const { return m_cancelar; }

public slots:
    // Escape presses the cancel button (when it shows); the window stays open.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_label;
    QProgressBar *m_gauge;
    QPushButton *m_cancelar;
    bool m_cancelado = false;
    bool m_passoIniciado = false;
};

// Shows the wait window with the text in the colour and lets it paint before the
// caller blocks. A window already showing takes the new text and colour.
void mostraAguarde(const QString &texto, const QColor &cor);
// First call after showing: reveals the gauge and the button, maximum as given and
// position 0. Every call: one step more and pending events run. Returns true once the
// user pressed "&Cancelar" (or Escape).
bool passoAguarde(int maximo);
// Hides and releases the window when there is one; never fails.
void fechaAguarde();
// The window now showing, or null.
TFrmAguaLogin *frmAguarde();

} // namespace zx
