#pragma once
// zentrix-server's HTTP side: the six services at <base><name>.asmx (POST: SOAP 1.1;
// GET ?wsdl: the generated WSDL), loopback by default. Every request is bounded in
// size, idle connections are closed, and each call writes one log line to stderr.
#include "ServiceDispatcher.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <memory>

class QTcpSocket;

namespace zx::server {

class ZentrixServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    ZentrixServer(QSqlDatabase db, ServerOptions options, Clock clock, QObject *parent = nullptr);
    ~ZentrixServer() override;

    // Port 0 picks a free one. Gives the port listened on, 0 on failure.
    quint16 start(const QHostAddress &address, quint16 port, QString *error = nullptr);
    ServiceDispatcher &dispatcher() { return *m_dispatcher; }
    // Log lines go to stderr unless turned off (the benchmark turns them off).
    void setLogging(bool on) { m_logging = on; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void log(const QHttpServerRequest &request, const QString &what, int status, qint64 ms,
        const QString &detail) const;

    std::unique_ptr<ServiceDispatcher> m_dispatcher;
    ServerOptions m_options;
    Clock m_clock;
    bool m_logging = true;
};

} // namespace zx::server
