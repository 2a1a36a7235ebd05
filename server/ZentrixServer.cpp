#include "ZentrixServer.h"

#include "WsdlWriter.h"
#include "service/protocol/ServiceCatalog.h"

#include <QElapsedTimer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <cstdio>

namespace zx::server {

namespace {

// Counts what a connection sends for the request in progress and closes it when the
// request grows past the bound or the connection stays silent too long. It hears
// readyRead before the HTTP layer reads the data.
class ConnectionGuard : public QObject {
public:
    ConnectionGuard(QTcpSocket *socket, qint64 maxBytes, int idleMs)
        : QObject(socket)
        , m_socket(socket)
        , m_max(maxBytes)
    {
        m_idle.setSingleShot(true);
        m_idle.setInterval(idleMs);
        connect(&m_idle, &QTimer::timeout, this, [this] {
            if (m_socket)
                m_socket->abort();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this] {
            m_pending += m_socket->bytesAvailable();
            m_idle.start();
            if (m_pending > m_max) {
                std::fprintf(stderr,
                    "zentrix-server: request from %s over %lld bytes: connection closed\n",
                    qPrintable(m_socket->peerAddress().toString()), static_cast<long long>(m_max));
                m_socket->abort();
            }
        });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] {
            m_pending = 0; // an answer went out: the next request starts afresh
            m_idle.start();
        });
        m_idle.start();
    }

private:
    QPointer<QTcpSocket> m_socket;
    qint64 m_max;
    qint64 m_pending = 0;
    QTimer m_idle;
};

class GuardedTcpServer : public QTcpServer {
public:
    GuardedTcpServer(const ServerOptions &o, QObject *parent)
        : QTcpServer(parent)
        , m_options(o)
    {
    }

protected:
    void incomingConnection(qintptr fd) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(fd)) {
            delete socket;
            return;
        }
        if (m_open >= m_options.maxConnections) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        ++m_open;
        connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        new ConnectionGuard(socket, m_options.maxRequestBytes, m_options.idleTimeoutMs);
        addPendingConnection(socket);
    }

private:
    ServerOptions m_options;
    int m_open = 0;
};

QString normalizedBase(QString base)
{
    if (!base.startsWith(u'/'))
        base.prepend(u'/');
    if (!base.endsWith(u'/'))
        base.append(u'/');
    return base;
}

} // namespace

ZentrixServer::ZentrixServer(QSqlDatabase db, ServerOptions options, Clock clock, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_options(std::move(options))
    , m_clock(std::move(clock))
{
    m_options.basePath = normalizedBase(m_options.basePath);
    m_dispatcher = std::make_unique<ServiceDispatcher>(db, m_options, m_clock);
}

ZentrixServer::~ZentrixServer() = default;

quint16 ZentrixServer::start(const QHostAddress &address, quint16 port, QString *error)
{
    auto *tcp = new GuardedTcpServer(m_options, this);
    if (!tcp->listen(address, port)) {
        if (error)
            *error = tcp->errorString();
        delete tcp;
        return 0;
    }
    const quint16 actual = tcp->serverPort();
    bind(tcp);
    return actual;
}

bool ZentrixServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QElapsedTimer timer;
    timer.start();
    QHttpServerResponder responder = makeResponder(request, socket);
    const QString path = request.url().path();
    const auto method = request.method();
    QString service;
    if (path.startsWith(m_options.basePath)
        && path.endsWith(QLatin1String(".asmx"), Qt::CaseInsensitive))
        service = path.mid(m_options.basePath.size()).chopped(5);
    const protocol::ServiceSpec *spec = nullptr;
    for (const auto &s : protocol::ServiceCatalog::services())
        if (s.name.compare(service, Qt::CaseInsensitive) == 0)
            spec = &s;
    if (!spec) {
        responder.write(QByteArrayLiteral("Not found\n"), QByteArrayLiteral("text/plain"),
            QHttpServerResponder::StatusCode::NotFound);
        log(request, path, 404, timer.elapsed(), QStringLiteral("unknown path"));
        return true;
    }
    if (method == QHttpServerRequest::Method::Get) {
        const QUrlQuery query(request.url());
        bool wsdl = false;
        for (const auto &item : query.queryItems())
            wsdl = wsdl || item.first.compare(QLatin1String("wsdl"), Qt::CaseInsensitive) == 0;
        if (wsdl) {
            const QString host = QString::fromLatin1(request.value("Host"));
            const QString location = QStringLiteral("http://")
                + (host.isEmpty() ? socket->localAddress().toString() + u':'
                            + QString::number(socket->localPort())
                                  : host)
                + m_options.basePath + spec->name + QStringLiteral(".asmx");
            responder.write(writeWsdl(spec->name, m_options.ns, location),
                QByteArrayLiteral("text/xml; charset=utf-8"));
            log(request, spec->name + QStringLiteral("?wsdl"), 200, timer.elapsed(),
                QStringLiteral("ok"));
            return true;
        }
        QString page
            = spec->name + QStringLiteral(" (") + spec->interfaceName + QStringLiteral(")\n\n");
        for (const auto &op : spec->operations)
            page += op.name
                + (ServiceDispatcher::served(spec->name, op.name)
                        ? QString()
                        : QStringLiteral("  (não atendida)"))
                + u'\n';
        page += QStringLiteral("\nWSDL: ") + m_options.basePath + spec->name
            + QStringLiteral(".asmx?wsdl\n");
        responder.write(page.toUtf8(), QByteArrayLiteral("text/plain; charset=utf-8"));
        log(request, spec->name, 200, timer.elapsed(), QStringLiteral("ok"));
        return true;
    }
    if (method != QHttpServerRequest::Method::Post) {
        responder.write(QByteArrayLiteral("Method not allowed\n"), QByteArrayLiteral("text/plain"),
            QHttpServerResponder::StatusCode::MethodNotAllowed);
        log(request, spec->name, 405, timer.elapsed(), QStringLiteral("method not allowed"));
        return true;
    }
    const SoapOutcome out = m_dispatcher->call(
        spec->name, request.body(), QString::fromLatin1(request.value("SOAPAction")));
    responder.write(out.body, QByteArray(soap::kContentType),
        out.httpStatus == 200 ? QHttpServerResponder::StatusCode::Ok
                              : QHttpServerResponder::StatusCode::InternalServerError);
    log(request, out.operation.isEmpty() ? spec->name : out.operation, out.httpStatus,
        timer.elapsed(), out.detail);
    return true;
}

void ZentrixServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

void ZentrixServer::log(const QHttpServerRequest &request, const QString &what, int status,
    qint64 ms, const QString &detail) const
{
    if (!m_logging)
        return;
    const QString line = m_clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u' '
        + request.remoteAddress().toString() + u' ' + what + u' ' + QString::number(status) + u' '
        + QString::number(ms) + QStringLiteral("ms ") + QString(detail).simplified().left(200);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

} // namespace zx::server
