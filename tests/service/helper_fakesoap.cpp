#include "helper_fakesoap.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QXmlStreamReader>

namespace zxtest {

FakeSoapServer::FakeSoapServer()
    : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, &FakeSoapServer::onConnection);
}

FakeSoapServer::~FakeSoapServer() = default;

quint16 FakeSoapServer::port() const
{
    return m_server->serverPort();
}

QString FakeSoapServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/ws/").arg(port());
}

QString FakeSoapServer::refusedBaseUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 p = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/ws/").arg(p);
}

void FakeSoapServer::onConnection()
{
    while (QTcpSocket *s = m_server->nextPendingConnection()) {
        s->setParent(this);
        connect(s, &QTcpSocket::readyRead, this, [this, s] { onData(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            m_buffers.remove(s);
            s->deleteLater();
        });
    }
}

void FakeSoapServer::onData(QTcpSocket *socket)
{
    QByteArray &buf = m_buffers[socket];
    buf += socket->readAll();
    const qsizetype headEnd = buf.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    FakeRequest req;
    const QList<QByteArray> lines = buf.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    req.method = first.value(0);
    req.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            req.headers.insert(
                lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = req.header("content-length").toLongLong();
    if (buf.size() < headEnd + 4 + length)
        return;
    req.body = buf.mid(headEnd + 4, length);
    buf.remove(0, headEnd + 4 + length);
    requests.append(req);

    FakeResponse r;
    if (!responses.empty()) {
        r = responses.front();
        responses.pop_front();
    } else if (handler) {
        r = handler(req);
    } else {
        r = fallback;
    }
    answer(socket, r);
}

void FakeSoapServer::answer(QTcpSocket *socket, const FakeResponse &r)
{
    switch (r.mode) {
    case FakeResponse::Mode::Hang:
        return;
    case FakeResponse::Mode::Close:
        socket->disconnectFromHost();
        return;
    case FakeResponse::Mode::Reply:
    case FakeResponse::Mode::Truncated:
        break;
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status)
        + (r.status == 200 ? " OK" : " Error") + "\r\nContent-Type: " + r.contentType
        + "\r\nContent-Length: " + QByteArray::number(r.body.size())
        + "\r\nConnection: close\r\n\r\n";
    out += r.mode == FakeResponse::Mode::Truncated ? r.body.left(r.body.size() / 2) : r.body;
    socket->write(out);
    socket->flush();
    socket->disconnectFromHost();
}

FakeResponse FakeSoapServer::soapResult(
    const QString &operation, const QByteArray &resultXmlText, const QString &ns)
{
    FakeResponse r;
    r.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
             "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
             " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
             " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>"
             "<"
        + operation.toUtf8() + "Response xmlns=\"" + ns.toUtf8() + "\"><" + operation.toUtf8()
        + "Result>" + resultXmlText + "</" + operation.toUtf8() + "Result></" + operation.toUtf8()
        + "Response></soap:Body></soap:Envelope>";
    return r;
}

FakeResponse FakeSoapServer::soapBase64(const QString &operation, const QByteArray &bytes)
{
    return soapResult(operation, bytes.toBase64());
}

FakeResponse FakeSoapServer::soapString(const QString &operation, const QString &text)
{
    return soapResult(operation, text.toHtmlEscaped().toUtf8());
}

FakeResponse FakeSoapServer::soapBool(const QString &operation, bool value)
{
    return soapResult(operation, value ? "true" : "false");
}

FakeResponse FakeSoapServer::soapFault(const QString &faultString)
{
    FakeResponse r;
    r.status = 500;
    r.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
             "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
             "<soap:Body><soap:Fault><faultcode>soap:Server</faultcode><faultstring>"
        + faultString.toHtmlEscaped().toUtf8()
        + "</faultstring><detail /></soap:Fault></soap:Body></soap:Envelope>";
    return r;
}

FakeResponse FakeSoapServer::http(int status, const QByteArray &body, const QByteArray &contentType)
{
    FakeResponse r;
    r.status = status;
    r.body = body;
    r.contentType = contentType;
    return r;
}

FakeResponse FakeSoapServer::withMode(FakeResponse::Mode mode)
{
    FakeResponse r;
    r.mode = mode;
    return r;
}

QString FakeSoapServer::elementText(const QByteArray &xml, const QString &localName)
{
    QXmlStreamReader rd(xml);
    while (!rd.atEnd()) {
        if (rd.readNext() == QXmlStreamReader::StartElement && rd.name() == localName)
            return rd.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return {};
}

} // namespace zxtest
