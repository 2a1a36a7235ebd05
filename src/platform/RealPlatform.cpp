#include "platform/RealPlatform.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QLineEdit>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHostAddress>
#include <QHostInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QProcess>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zx {

namespace {
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MsgButton RealDialogs::message(const QString &caption, const QString &text, MsgIcon icon,
                               MsgButtons buttons, MsgButton defaultButton)
{
    QMessageBox box(toQt(icon), caption, displayText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    struct Pair { MsgButton ours; QMessageBox::StandardButton qt; };
    const Pair pairs[] = {{MsgButton::Ok, QMessageBox::Ok},       {MsgButton::Cancel, QMessageBox::Cancel},
                          {MsgButton::Yes, QMessageBox::Yes},     {MsgButton::No, QMessageBox::No},
                          {MsgButton::Abort, QMessageBox::Abort}, {MsgButton::Retry, QMessageBox::Retry},
                          {MsgButton::Ignore, QMessageBox::Ignore}};
    if (buttons == MsgButtons())
        buttons = MsgButton::Ok;
    for (const Pair &p : pairs) {
        if (buttons.testFlag(p.ours)) {
            QAbstractButton *b = box.addButton(p.qt);
            if (p.ours == MsgButton::Yes)
                b->setText(QStringLiteral("&Sim"));
            else if (p.ours == MsgButton::No)
                b->setText(QStringLiteral("&Não"));
            else if (p.ours == MsgButton::Cancel)
                b->setText(QStringLiteral("Cancelar"));
            if (p.ours == defaultButton)
                box.setDefaultButton(p.qt);
        }
    }
    const int r = box.exec();
    for (const Pair &p : pairs)
        if (r == p.qt)
            return p.ours;
    return buttons.testFlag(MsgButton::Cancel) ? MsgButton::Cancel
           : buttons.testFlag(MsgButton::No)   ? MsgButton::No
                                               : MsgButton::Ok;
}

bool RealDialogs::input(const QString &caption, const QString &prompt, QString &value,
                        bool password)
{
    bool ok = false;
    const QString r = QInputDialog::getText(QApplication::activeWindow(), caption,
                                            displayText(prompt),
                                            password ? QLineEdit::Password : QLineEdit::Normal,
                                            value, &ok);
    if (ok)
        value = r;
    return ok;
}

QString RealDialogs::openFileName(const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, dir, filter);
}

QString RealDialogs::saveFileName(const QString &caption, const QString &dir,
                                  const QString &filter, const QString &proposedName)
{
    const QString start = proposedName.isEmpty() ? dir : QDir(dir).filePath(proposedName);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, start, filter);
}

int RealDialogs::runModal(QDialog &form) { return form.exec(); }

QDateTime RealClock::now() const { return QDateTime::currentDateTime(); }

bool RealClock::setSystemClock(const QDateTime &when)
{
#ifdef Q_OS_WIN
    SYSTEMTIME st;
    const QDateTime utc = when.toUTC();
    st.wYear = WORD(utc.date().year());
    st.wMonth = WORD(utc.date().month());
    st.wDay = WORD(utc.date().day());
    st.wDayOfWeek = 0;
    st.wHour = WORD(utc.time().hour());
    st.wMinute = WORD(utc.time().minute());
    st.wSecond = WORD(utc.time().second());
    st.wMilliseconds = 0;
    return SetSystemTime(&st) != 0;
#else
    // Off Windows the system's own tool sets the clock; without the privilege it
    // simply fails, which callers treat as "clock left as it was".
    QProcess p;
    p.start(QStringLiteral("date"),
            {QStringLiteral("-s"), when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    if (!p.waitForFinished(5000)) {
        p.kill();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
#endif
}

bool RealProcesses::startDetached(const QString &program, const QStringList &arguments,
                                  const QString &workingDir, bool hidden)
{
    Q_UNUSED(hidden); // console windows do not exist off Windows
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    return p.startDetached();
}

bool RealDesktop::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool RealDesktop::openUrl(const QString &url) { return QDesktopServices::openUrl(QUrl(url)); }

QString RealDesktop::clipboardText() const
{
    return QGuiApplication::clipboard() ? QGuiApplication::clipboard()->text() : QString();
}

void RealDesktop::setClipboardText(const QString &text)
{
    if (QGuiApplication::clipboard())
        QGuiApplication::clipboard()->setText(text);
}

QString RealHostInfo::hostName() const { return QHostInfo::localHostName(); }

QString RealHostInfo::firstIPv4() const
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress &a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
    for (const QHostAddress &a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            return a.toString();
    return QStringLiteral("127.0.0.1");
}

bool RealSingleInstance::acquire(const QString &key)
{
    {
        QLocalSocket probe;
        probe.connectToServer(key);
        if (probe.waitForConnected(500))
            return false;
    }
    QLocalServer::removeServer(key); // a stale socket of a crashed run
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(key))
        return true; // cannot guard; better to run than to refuse
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            raiseWindow();
        }
    });
    return true;
}

bool RealSingleInstance::raiseRunning(const QString &key)
{
    QLocalSocket s;
    s.connectToServer(key);
    if (!s.waitForConnected(1000))
        return false;
    s.write("raise\n");
    s.waitForBytesWritten(1000);
    s.disconnectFromServer();
    return true;
}

void RealSingleInstance::setMainWindow(QWidget *window) { m_window = window; }

void RealSingleInstance::raiseWindow()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void RealKeyInjector::injectKey(int qtKey, const QString &text, bool keypad)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, mods, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, mods, text));
}

bool RealKeyInjector::numLockOn() const
{
#ifdef Q_OS_WIN
    return (GetKeyState(VK_NUMLOCK) & 1) != 0;
#else
    return m_numLock; // the windowing system does not tell us here
#endif
}

void RealKeyInjector::setNumLock(bool on)
{
#ifdef Q_OS_WIN
    if (numLockOn() != on) {
        keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
        keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    }
#else
    m_numLock = on;
#endif
}

} // namespace zx
