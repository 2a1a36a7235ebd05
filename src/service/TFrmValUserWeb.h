#pragma once
// The web-user dialog: login and numeric password of the operator, asked before the
// operations that change or reveal data on the server.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zx {

class TFrmValUserWeb : public QDialog {
    Q_OBJECT
public:
    explicit TFrmValUserWeb(QWidget *parent = nullptr);

    // What the callers read once the dialog closed.
    QString usuario() const;
    QString senha() const;

    QLineEdit *edtUsuario() const { return m_usuario; }
    QLineEdit *edtSenha() const { return m_senha; }

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void primeiroTique();

    QLabel *m_label1;
    QLineEdit *m_usuario;
    QLineEdit *m_senha;
    QPushButton *m_ok;
    QPushButton *m_cancelar;
    QTimer *m_timer;
    bool m_iniciado = false;
};

} // namespace zx
