#pragma once
// The web-user dialog: login and numeric password of the operator, asked before the
// operations that change or reveal data on the server. The password is typed through
// the protected numeric entry; when the dialog closes the password field holds the
// digits it collected.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zx {

class TInsCarac;

class TFrmValUserWeb : public QDialog {
    Q_OBJECT
public:
    explicit TFrmValUserWeb(QWidget *parent = nullptr);

    // What the callers read once the dialog closed.
    QString usuario() const;
    QString senha() const;

    QLineEdit *edtUsuario() const { return m_usuario; }
    QLineEdit *edtSenha() const { return m_senha; }
    TInsCarac *insCarac() const { return m_ins; }

protected:
    void done(int result) override;

private:
    void primeiroTique();

    QLineEdit *m_usuario;
    QLineEdit *m_senha;
    QPushButton *m_ok;
    QPushButton *m_cancelar;
    QTimer *m_timer;
    TInsCarac *m_ins;
    bool m_iniciado = false;
};

} // namespace zx
