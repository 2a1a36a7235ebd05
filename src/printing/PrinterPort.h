#pragma once
// The printer port named in the station file, opened as a file for writing:
//   "LPTn"    the parallel port (off Windows /dev/lp(n-1));
//   "lp:NAME" raw bytes spooled to the system queue NAME (lp -d NAME -o raw);
//   anything else a device or file path, replaced on every print.
#include <QByteArray>
#include <QString>
#include <memory>

class QFile;
class QIODevice;

namespace zx {

class PrinterPort {
public:
    PrinterPort();
    ~PrinterPort();
    PrinterPort(const PrinterPort &) = delete;
    PrinterPort &operator=(const PrinterPort &) = delete;

    // Where the bytes go for a port name (for a queue: empty).
    static QString devicePath(const QString &portName);
    // The queue of an "lp:NAME" port, empty for other names.
    static QString queueName(const QString &portName);

    bool open(const QString &portName);
    QIODevice *device() const;
    // Closes the port; for a queue hands the spooled bytes to lp. False when that failed.
    bool close();
    QString errorString() const { return m_error; }

private:
    std::unique_ptr<QFile> m_file;
    QString m_queue;
    QString m_error;
};

} // namespace zx
