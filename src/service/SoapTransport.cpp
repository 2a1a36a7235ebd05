#include "service/SoapTransport.h"

#include "service/ServiceError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace zx {

namespace {

SoapTimeouts &processTimeouts()
{
    static SoapTimeouts t;
    return t;
}

// The operating system's proxy settings apply, except to the station's own machine
// (a server on loopback must never be reached through a proxy).
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        const QString host = query.peerHostName();
        const QHostAddress address(host);
        if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
            || (!address.isNull() && address.isLoopback()))
            return { QNetworkProxy(QNetworkProxy::NoProxy) };
        return systemProxyForQuery(query);
    }
};

QNetworkAccessManager &manager()
{
    static QPointer<QNetworkAccessManager> nam;
    if (!nam) {
        nam = new QNetworkAccessManager(QCoreApplication::instance());
        nam->setProxyFactory(new SystemProxyFactory);
        nam->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    return *nam;
}

enum class Phase { Connect, Send, Receive };

QString phaseText(Phase p)
{
    switch (p) {
    case Phase::Connect:
        return QStringLiteral("conectar");
    case Phase::Send:
        return QStringLiteral("enviar a requisição");
    case Phase::Receive:
        return QStringLiteral("receber a resposta");
    }
    return {};
}

bool isNetworkLayerError(QNetworkReply::NetworkError e)
{
    // Connection and proxy errors: no HTTP reply came back.
    return e != QNetworkReply::NoError && int(e) < 200;
}

} // namespace

SoapTimeouts SoapTransport::defaultTimeouts()
{
    return processTimeouts();
}
void SoapTransport::setDefaultTimeouts(const SoapTimeouts &timeouts)
{
    processTimeouts() = timeouts;
}

SoapTransport::SoapTransport()
    : m_timeouts(processTimeouts())
{
}

SoapTransport::Reply SoapTransport::post(
    const QUrl &endpoint, const QByteArray &soapAction, const QByteArray &envelope) const
{
    if (!endpoint.isValid() || endpoint.scheme().isEmpty() || endpoint.host().isEmpty())
        throw ServiceError(ServiceError::Kind::Connection,
            QStringLiteral("Endereço do serviço inválido: %1").arg(endpoint.toString()));

    QNetworkRequest request(endpoint);
    request.setHeader(
        QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
    request.setRawHeader("SOAPAction", '"' + soapAction + '"');
    const QString version = QCoreApplication::applicationVersion();
    request.setHeader(QNetworkRequest::UserAgentHeader,
        version.isEmpty() ? QStringLiteral("Zentrix") : QStringLiteral("Zentrix/") + version);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setTransferTimeout(0); // the phases below keep time

    QNetworkReply *reply = manager().post(request, envelope);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    Phase phase = Phase::Connect;
    bool timedOut = false;
    bool tooLarge = false;
    QByteArray body;

    auto enter = [&](Phase p) {
        phase = p;
        const int ms = p == Phase::Connect ? m_timeouts.connectMs
            : p == Phase::Send             ? m_timeouts.sendMs
                                           : m_timeouts.receiveMs;
        timer.start(qMax(1, ms));
    };

    QObject::connect(&timer, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, [&](qint64 sent, qint64) {
        if (phase == Phase::Connect && sent > 0)
            enter(Phase::Send);
        else if (phase == Phase::Send)
            enter(Phase::Send);
    });
    QObject::connect(reply, &QNetworkReply::requestSent, &loop, [&] { enter(Phase::Receive); });
    auto received = [&] {
        enter(Phase::Receive);
        body += reply->readAll();
        if (body.size() > kMaxReplyBytes) {
            tooLarge = true;
            timer.stop();
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (phase != Phase::Receive)
            enter(Phase::Receive);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, received);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    enter(Phase::Connect);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    if (!tooLarge && !timedOut)
        body += reply->readAll();

    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QByteArray contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    delete reply;

    if (timedOut)
        throw ServiceError(ServiceError::Kind::Timeout,
            QStringLiteral("Tempo esgotado ao %1 (%2)").arg(phaseText(phase), endpoint.toString()));
    if (tooLarge)
        throw ServiceError(ServiceError::Kind::Reply,
            QStringLiteral("Resposta maior que o limite de %1 bytes").arg(kMaxReplyBytes));
    if (isNetworkLayerError(error) || !status.isValid())
        throw ServiceError(ServiceError::Kind::Connection,
            QStringLiteral("%1 (%2)").arg(errorText, endpoint.toString()));

    Reply out;
    out.status = status.toInt();
    out.contentType = contentType;
    out.body = body;
    return out;
}

} // namespace zx
