#include "service/TFrmValUserWeb.h"

#include "common/widgets/TInsCarac.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zx {

TFrmValUserWeb::TFrmValUserWeb(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrmValUserWeb"));
    setWindowTitle(QStringLiteral("Validação de Usuário"));
    setFixedSize(241, 248);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    setFont(f);

    auto *label1 = new QLabel(
        QStringLiteral("Para realizar essa operação, será necessária a validação do usuário!!!"),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    label1->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

    auto *label2 = new QLabel(QStringLiteral("Usuário:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_usuario = new QLineEdit(this);
    m_usuario->setObjectName(QStringLiteral("edtUsuario"));
    m_usuario->setFocusPolicy(Qt::ClickFocus);

    auto *label3 = new QLabel(QStringLiteral("Senha:"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    m_senha = new QLineEdit(this);
    m_senha->setObjectName(QStringLiteral("edtSenha"));
    m_senha->setEchoMode(QLineEdit::Password);
    m_senha->setFocusPolicy(Qt::ClickFocus);

    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setAutoDefault(false);
    m_cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancelar->setObjectName(QStringLiteral("BitBtn2"));
    m_cancelar->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelar, &QPushButton::clicked, this, &QDialog::reject);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(300);
    connect(m_timer, &QTimer::timeout, this, &TFrmValUserWeb::primeiroTique);
    m_timer->start();

    auto *lay = new QGridLayout(this);
    lay->addWidget(label1, 0, 0, 1, 2);
    lay->addWidget(label2, 1, 0, 1, 2);
    lay->addWidget(m_usuario, 2, 0, 1, 2);
    lay->addWidget(label3, 3, 0, 1, 2);
    lay->addWidget(m_senha, 4, 0, 1, 2);
    lay->addWidget(m_ok, 5, 0);
    lay->addWidget(m_cancelar, 5, 1);

    // The protected entry takes the dialog's keys: Enter, Down and Up move between the
    // controls; Escape, Delete, Backspace and keypad minus clear the digits; Escape
    // with none cancels.
    m_ins = new TInsCarac(this);
    m_ins->setTxtSenha(m_senha);
    m_ins->setMudaEnter(true);
    connect(m_ins, &TInsCarac::enterPressionado, this, [this](QWidget *origem) {
        if (origem == m_senha)
            m_ok->click();
    });
}

QString TFrmValUserWeb::usuario() const
{
    return m_usuario->text();
}
QString TFrmValUserWeb::senha() const
{
    return m_senha->text();
}

void TFrmValUserWeb::primeiroTique()
{
    // Later ticks do nothing: the fields become reachable by tab only once the
    // dialog is up, with the login field focused.
    if (m_iniciado)
        return;
    m_iniciado = true;
    m_timer->stop();
    m_usuario->setFocusPolicy(Qt::StrongFocus);
    m_senha->setFocusPolicy(Qt::StrongFocus);
    m_usuario->setFocus();
}

void TFrmValUserWeb::done(int result)
{
    m_timer->stop();
    // What the callers read is what the protected entry collected, not the symbols.
    m_senha->setText(m_ins->CNPJInsti());
    QDialog::done(result);
}

} // namespace zx
