#include "common/TFrmPeriodo.h"

#include "common/TFuncao.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace zx {

namespace {
QLineEdit *dateBox(QWidget *parent, const QString &name, int left, const QString &text)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setInputMask(QStringLiteral("99/99/9999;_"));
    e->setText(text);
    e->setGeometry(left, 40, 80, 24);
    return e;
}
} // namespace

TFrmPeriodo::TFrmPeriodo(const QDate &today, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPeriodo"));
    setWindowTitle(QStringLiteral("Informe o período Inicial e Final!!!"));
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    setFixedSize(320, 200);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);

    m_ini = dateBox(this, QStringLiteral("edtDataIni"), 32,
        QStringLiteral("01/") + today.toString(QStringLiteral("MM/yyyy")));
    m_fim = dateBox(
        this, QStringLiteral("edtDataFin"), 200, today.toString(QStringLiteral("dd/MM/yyyy")));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setGeometry(32, 120, 80, 28);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancelar"));
    m_cancel->setGeometry(200, 120, 80, 28);

    connect(m_ok, &QPushButton::clicked, this, &TFrmPeriodo::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ini->installEventFilter(this);
    m_fim->installEventFilter(this);
    setTabOrder(m_ini, m_fim);
    setTabOrder(m_fim, m_ok);
    setTabOrder(m_ok, m_cancel);

    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

QString TFrmPeriodo::inicio() const
{
    return m_ini->text();
}
QString TFrmPeriodo::fim() const
{
    return m_fim->text();
}

bool TFrmPeriodo::checkBox(QLineEdit *box)
{
    if (TFuncao::ValData(box->text(), true))
        return true;
    QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
    return false;
}

void TFrmPeriodo::confirm()
{
    m_checking = true;
    const bool ok = checkBox(m_ini) && checkBox(m_fim);
    m_checking = false;
    if (ok)
        accept();
}

bool TFrmPeriodo::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) { // Enter acts as Tab
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && !m_checking) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Leaving for another window or a popup is no reason to complain; Cancel needs
        // no valid date and OK checks both boxes itself.
        const bool leavingForm
            = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        const QWidget *next = QApplication::focusWidget();
        if (!leavingForm && next != m_cancel && next != m_ok && isVisible()) {
            m_checking = true;
            checkBox(box);
            m_checking = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zx
