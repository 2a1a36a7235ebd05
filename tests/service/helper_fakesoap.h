#pragma once
// A tiny HTTP responder standing in for the SOAP server inside a test. It runs in
// the test's thread: the client's local event loop serves its sockets.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace zxtest {

struct FakeRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
};

struct FakeResponse {
    enum class Mode {
        Reply, // status, headers and body
        Hang, // read the request and never answer
        Close, // read the request and close without a word
        Truncated, // announce the whole body, send half of it and close
    };
    Mode mode = Mode::Reply;
    int status = 200;
    QByteArray contentType = "text/xml; charset=utf-8";
    QByteArray body;
};

class FakeSoapServer : public QObject {
    Q_OBJECT
public:
    FakeSoapServer();
    ~FakeSoapServer() override;

    quint16 port() const;
    // "http://127.0.0.1:<port>/ws/": the base address the client gets.
    QString baseUrl() const;
    // A base address where nothing listens (the connection is refused).
    static QString refusedBaseUrl();

    // Answers in order; when empty, fallback answers (or handler when set).
    std::deque<FakeResponse> responses;
    FakeResponse fallback;
    std::function<FakeResponse(const FakeRequest &)> handler;
    QList<FakeRequest> requests;

    // Replies of the SOAP 1.1 shape, written by hand so that the test does not
    // depend on the codec it checks.
    static FakeResponse soapResult(const QString &operation, const QByteArray &resultXmlText,
        const QString &ns = QStringLiteral("http://tempuri.org/"));
    static FakeResponse soapBase64(const QString &operation, const QByteArray &bytes);
    static FakeResponse soapString(const QString &operation, const QString &text);
    static FakeResponse soapBool(const QString &operation, bool value);
    static FakeResponse soapFault(const QString &faultString);
    static FakeResponse http(
        int status, const QByteArray &body, const QByteArray &contentType = "text/html");
    static FakeResponse withMode(FakeResponse::Mode mode);

    // The text content of the first element with this local name in a request body.
    static QString elementText(const QByteArray &xml, const QString &localName);

private:
    void onConnection();
    void onData(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const FakeResponse &r);

    QTcpServer *m_server;
    QMap<QTcpSocket *, QByteArray> m_buffers;
};

} // namespace zxtest
