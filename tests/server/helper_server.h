#pragma once
// Test helpers of the server: a demo database in a temporary folder, SOAP calls through
// the dispatcher in-process, and the real zentrix-server binary on an ephemeral port.
#include "DemoSeed.h"
#include "ServerStore.h"
#include "ServiceDispatcher.h"
#include "service/protocol/SoapCodec.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace zxtest {

// A demo network in a fresh database; `now` is the clock the dispatcher sees.
class DemoServer {
public:
    explicit DemoServer(const QDateTime &now = QDateTime(QDate(2024, 6, 14), QTime(10, 30)));
    zx::server::ServerStore &store() { return *m_store; }
    zx::server::ServiceDispatcher &dispatcher() { return *m_dispatcher; }
    QDateTime now;

    // Calls one operation with the identity of `idDate` (default: today) and the other
    // parameters given; texts of packed operations are packed here.
    zx::soap::SoapResponse call(const QString &service, const QString &operation,
        const QStringList &texts, QDate idDate = {});
    // The reply text of a packed or string operation (unpacked), empty on a fault.
    QString callText(const QString &service, const QString &operation, const QStringList &texts,
        QDate idDate = {});
    zx::server::SoapOutcome raw(
        const QString &service, const QByteArray &envelope, const QString &action = {});

private:
    QTemporaryDir m_dir;
    std::unique_ptr<zx::server::ServerStore> m_store;
    std::unique_ptr<zx::server::ServiceDispatcher> m_dispatcher;
};

// One-row record list.
QString record(const QStringList &captions, const QStringList &cells);
// First row of a reply as name -> value (empty when not a record list).
QHash<QString, QString> firstRow(const QString &reply);

// The zentrix-server binary (ZX_SERVER_BIN) on 127.0.0.1, port 0, with the demo seed.
class ServerProcess {
public:
    ServerProcess();
    ~ServerProcess();
    bool started() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }
    // Everything the server wrote to stderr so far.
    QString stderrText();

private:
    QTemporaryDir m_dir;
    QProcess m_proc;
    quint16 m_port = 0;
    QString m_stderr;
};

struct HttpReply {
    int status = 0; // 0: no HTTP answer (connection closed or failed)
    QByteArray body;
    QString error;
};
// A blocking POST (or GET with an empty body and post = false), with a time-out.
HttpReply http(const QString &url, const QByteArray &body, const QString &soapAction,
    bool post = true, int timeoutMs = 20000);

} // namespace zxtest
