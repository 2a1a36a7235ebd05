#include "service/TFrmValUserWeb.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
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

    m_label1 = new QLabel(
        QStringLiteral("Para realizar essa operação, será necessária a validação do usuário!!!"),
        this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label1->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

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
    m_senha->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_senha));
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
    lay->addWidget(m_label1, 0, 0, 1, 2);
    lay->addWidget(label2, 1, 0, 1, 2);
    lay->addWidget(m_usuario, 2, 0, 1, 2);
    lay->addWidget(label3, 3, 0, 1, 2);
    lay->addWidget(m_senha, 4, 0, 1, 2);
    lay->addWidget(m_ok, 5, 0);
    lay->addWidget(m_cancelar, 5, 1);

    m_usuario->installEventFilter(this);
    m_senha->installEventFilter(this);
}

QString TFrmValUserWeb::usuario() const { return m_usuario->text(); }
QString TFrmValUserWeb::senha() const { return m_senha->text(); }

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

bool TFrmValUserWeb::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (watched == m_senha && enter) {
            m_ok->click();
            return true;
        }
        if (enter || k->key() == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (k->key() == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
        if (watched == m_senha
            && (k->key() == Qt::Key_Delete || k->key() == Qt::Key_Backspace
                || (k->key() == Qt::Key_Minus && (k->modifiers() & Qt::KeypadModifier)))) {
            m_senha->clear();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            if (!m_senha->text().isEmpty()) {
                m_senha->clear();
                return true;
            }
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmValUserWeb::done(int result)
{
    m_timer->stop();
    QDialog::done(result);
}

} // namespace zx
