#include "common/widgets/TFrmMensagem.h"

#include "common/TFuncao.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace zx {

TFrmMensagem::TFrmMensagem(const QColor &cor, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmMensagem"));
    setFixedSize(537, 245);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, cor);
    pal.setColor(QPalette::Base, cor);
    // The message shares the window's colour as its background; the text is white
    // like the footer so that it reads on any colour.
    pal.setColor(QPalette::Text, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    m_memo = new QTextEdit(this);
    m_memo->setObjectName(QStringLiteral("MemMensagem"));
    m_memo->setReadOnly(true);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setFocusPolicy(Qt::NoFocus);
    m_memo->setTextInteractionFlags(Qt::NoTextInteraction);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setPalette(pal);
    QFont f = m_memo->font();
    f.setBold(true);
    f.setPixelSize(19);
    m_memo->setFont(f);
    m_memo->setGeometry(12, 10, 513, 195);
    m_memo->viewport()->installEventFilter(this);

    m_rodape = new QLabel(QStringLiteral("Pressione qualquer tecla para prosseguir!!!"), this);
    m_rodape->setObjectName(QStringLiteral("LblProsseguir"));
    m_rodape->setAlignment(Qt::AlignCenter);
    QFont rf = m_rodape->font();
    rf.setBold(true);
    m_rodape->setFont(rf);
    m_rodape->setPalette(pal);
    m_rodape->setGeometry(12, 210, 513, 24);

    m_blink = new QTimer(this);
    m_blink->setObjectName(QStringLiteral("TmrPisca"));
    m_blink->setInterval(500);
    connect(
        m_blink, &QTimer::timeout, this, [this] { m_rodape->setVisible(!m_rodape->isVisible()); });

    TFuncao::BordaForm(this, 3, cor);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TFrmMensagem::addLine(const QString &line)
{
    m_lines << line;
}
void TFrmMensagem::setLines(const QStringList &lines)
{
    m_lines = lines;
}

void TFrmMensagem::mostra(const QColor &cor, const QStringList &lines)
{
    TFrmMensagem form(cor, QApplication::activeWindow());
    form.setLines(lines);
    Platform::dialogs().runModal(form);
}

void TFrmMensagem::showEvent(QShowEvent *event)
{
    QStringList shown = m_lines;
    // A short message sits in the middle of the window.
    if (shown.size() < 10)
        for (qsizetype i = 0; i < (9 - m_lines.size()) / 2; ++i)
            shown.prepend(QString());
    m_memo->setPlainText(shown.join(QLatin1Char('\n')));
    QTextCursor all(m_memo->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    m_rodape->setVisible(true);
    m_blink->start();
    QDialog::showEvent(event);
}

void TFrmMensagem::hideEvent(QHideEvent *event)
{
    m_blink->stop();
    QDialog::hideEvent(event);
}

void TFrmMensagem::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    accept();
}

void TFrmMensagem::mousePressEvent(QMouseEvent *)
{
    accept();
}

bool TFrmMensagem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zx
