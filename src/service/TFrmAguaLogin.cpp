#include "service/TFrmAguaLogin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

namespace {
QPointer<TFrmAguaLogin> &current()
{
    static QPointer<TFrmAguaLogin> w;
    return w;
}

bool windowingShapes()
{
    const QString p = QGuiApplication::platformName();
    return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}

void paintNow(QWidget *w)
{
    w->repaint();
    QCoreApplication::processEvents();
}
} // namespace

TFrmAguaLogin::TFrmAguaLogin(const QColor &cor, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmAguaLogin"));
    setFixedSize(488, 101);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, cor);
    setPalette(pal);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblMensagem"));
    m_label->setAlignment(Qt::AlignCenter);
    QFont f = m_label->font();
    f.setBold(true);
    f.setPixelSize(19);
    m_label->setFont(f);
    m_label->setStyleSheet(QStringLiteral("color: white;"));

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setTextVisible(false);
    m_gauge->setFixedHeight(14);
    m_gauge->setStyleSheet(QStringLiteral("QProgressBar { background: white; border: none; }"
                                          "QProgressBar::chunk { background: red; }"));
    m_gauge->hide();

    m_cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancelar->setObjectName(QStringLiteral("btnCancelar"));
    m_cancelar->setDefault(true);
    m_cancelar->hide();
    connect(m_cancelar, &QPushButton::clicked, this, [this] { m_cancelado = true; });

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(20, 8, 20, 8);
    lay->addWidget(m_label, 1);
    lay->addWidget(m_gauge);
    lay->addWidget(m_cancelar, 0, Qt::AlignHCenter);
}

void TFrmAguaLogin::setMensagem(const QString &texto)
{
    m_label->setText(texto);
}
QString TFrmAguaLogin::mensagem() const
{
    return m_label->text();
}

void TFrmAguaLogin::reject()
{
    if (m_cancelar->isVisible())
        m_cancelar->click();
}

void TFrmAguaLogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_cancelado = false;
    m_passoIniciado = false;
    // Rounded corners: an elliptic corner of 50 x 50 pixels (where the window system
    // can shape windows at all).
    if (!windowingShapes())
        return;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 25, 25);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

bool TFrmAguaLogin::passo(int maximo)
{
    if (!m_passoIniciado) {
        m_passoIniciado = true;
        m_gauge->show();
        m_cancelar->show();
        m_gauge->setMaximum(maximo);
        m_gauge->setValue(0);
    }
    m_gauge->setValue(m_gauge->value() + 1);
    QCoreApplication::processEvents();
    return m_cancelado;
}

void mostraAguarde(const QString &texto, const QColor &cor)
{
    QPointer<TFrmAguaLogin> &w = current();
    if (w) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, cor);
        w->setPalette(pal);
    } else {
        w = new TFrmAguaLogin(cor);
    }
    w->setMensagem(texto);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
    w->show();
    if (windowingShapes())
        w->raise();
    w->activateWindow();
    paintNow(w);
}

bool passoAguarde(int maximo)
{
    TFrmAguaLogin *w = current();
    return w ? w->passo(maximo) : false;
}

void fechaAguarde()
{
    QPointer<TFrmAguaLogin> &w = current();
    if (!w)
        return;
    TFrmAguaLogin *gone = w;
    w = nullptr;
    gone->hide();
    delete gone;
}

TFrmAguaLogin *frmAguarde()
{
    return current();
}

} // namespace zx
