#include "printing/PrinterPort.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace zx {

PrinterPort::PrinterPort() = default;

PrinterPort::~PrinterPort()
{
    close();
}

QString PrinterPort::queueName(const QString &portName)
{
    const QString t = portName.trimmed();
    if (t.startsWith(QLatin1String("lp:"), Qt::CaseInsensitive))
        return t.mid(3).trimmed();
    return {};
}

QString PrinterPort::devicePath(const QString &portName)
{
    const QString t = portName.trimmed();
    if (t.startsWith(QLatin1String("lp:"), Qt::CaseInsensitive))
        return {};
#ifndef Q_OS_WIN
    static const QRegularExpression lpt(
        QStringLiteral("^LPT([1-9][0-9]*):?$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = lpt.match(t);
    if (m.hasMatch())
        return QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1);
#endif
    return t;
}

bool PrinterPort::open(const QString &portName)
{
    close();
    m_error.clear();
    m_queue = queueName(portName);
    if (!m_queue.isNull()) {
        if (m_queue.isEmpty()) {
            m_error = QStringLiteral("fila de impressão sem nome");
            return false;
        }
        // Spooled through a file that the lp command removes once it has sent it.
        auto tmp = std::make_unique<QTemporaryFile>(
            QDir::tempPath() + QStringLiteral("/zentrix-lp-XXXXXX.prn"));
        tmp->setAutoRemove(false);
        if (!tmp->open()) {
            m_error = tmp->errorString();
            m_queue.clear();
            return false;
        }
        m_file = std::move(tmp);
        return true;
    }
    const QString path = devicePath(portName);
    if (path.isEmpty()) {
        m_error = QStringLiteral("porta não informada");
        return false;
    }
    m_file = std::make_unique<QFile>(path);
    // A device must not be truncated; a plain file is replaced.
    const bool isDevice = path.startsWith(QLatin1String("/dev/"));
    const QIODevice::OpenMode mode = isDevice ? QIODevice::WriteOnly | QIODevice::Unbuffered
                                              : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!m_file->open(mode)) {
        m_error = m_file->errorString();
        m_file.reset();
        return false;
    }
    return true;
}

QIODevice *PrinterPort::device() const
{
    return m_file.get();
}

bool PrinterPort::close()
{
    if (!m_file)
        return true;
    bool ok = m_file->flush();
    if (!ok)
        m_error = m_file->errorString();
    const QString spooled = m_file->fileName();
    m_file->close();
    m_file.reset();
    if (!m_queue.isEmpty()) {
        const QString queue = m_queue;
        m_queue.clear();
        if (!ok) {
            QFile::remove(spooled);
            return false;
        }
        // Queue and file go as positional parameters: never parsed by the shell.
        const QStringList args { QStringLiteral("-c"),
            QStringLiteral("lp -d \"$1\" -o raw -- \"$2\"; rm -f -- \"$2\""),
            QStringLiteral("zentrix-lp"), queue, spooled };
        if (!Platform::processes().startDetached(QStringLiteral("/bin/sh"), args, {}, true)) {
            QFile::remove(spooled);
            m_error = QStringLiteral("não foi possível executar lp");
            return false;
        }
    }
    return ok;
}

} // namespace zx
