#include "config/StationHttpClient.h"
#include "config/StationSettings.h"
#include "platform/fakes/FakePlatform.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace zx;

namespace {
// A loopback HTTP proxy that records the head of each request it gets and answers
// "ok", or keeps silent.
class FakeProxy : public QTcpServer {
public:
    QList<QByteArray> heads;
    bool answer = true;
    FakeProxy()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                m_buffer += s->readAll();
                if (!m_buffer.contains("\r\n\r\n"))
                    return;
                heads << m_buffer;
                m_buffer.clear();
                if (answer)
                    s->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
            });
        });
    }

private:
    QByteArray m_buffer;
};

void writeStationFile(const QByteArray &body)
{
    QFile f(StationSettings::stationFilePath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[SISTEMA]\r\n" + body);
}
} // namespace

class TstHttpClient : public QObject {
    Q_OBJECT
private slots:
    void settingsApplied_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<bool>("proxied");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("basic");
        QTest::newRow("defaults") << QByteArray() << 60000 << false << QString() << false;
        QTest::newRow("time-out") << QByteArray("TEMPLIMIT=45\r\n") << 45000 << false << QString()
                                  << false;
        QTest::newRow("unreadable time-out")
            << QByteArray("TEMPLIMIT=x\r\n") << 60000 << false << QString() << false;
        QTest::newRow("proxy off")
            << QByteArray("PROXY_UTIL=2\r\nPROXY_SERV=p\r\nPROXY_PORT=8080\r\n") << 60000 << false
            << QString() << false;
        QTest::newRow("proxy, no basic")
            << QByteArray("PROXY_UTIL=1\r\nPROXY_AUTBAS=2\r\nPROXY_SERV=p\r\nPROXY_PORT=8080\r\n")
            << 60000 << true << QString() << false;
        QTest::newRow("proxy, basic")
            << QByteArray("PROXY_UTIL=1\r\nPROXY_AUTBAS=1\r\nPROXY_SERV=p\r\nPROXY_PORT=8080\r\n")
            << 60000 << true << QStringLiteral("caixa") << true;
    }
    void settingsApplied()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, timeout);
        QFETCH(bool, proxied);
        QFETCH(QString, user);
        QFETCH(bool, basic);
        FakePlatform fp;
        writeStationFile(file);
        StationSettings s;
        if (file.contains("PROXY_UTIL=1")) {
            QVERIFY(s.setProxyUser("caixa"));
            QVERIFY(s.setProxyPass("s3nha"));
        }
        StationHttpClient http;
        http.aplicaConexao(s);
        QCOMPARE(http.readTimeout(), timeout);
        QCOMPARE(http.manager()->transferTimeout(), timeout);
        QCOMPARE(http.basicAuthentication(), basic);
        const QNetworkProxy p = http.proxy();
        QCOMPARE(p.type(), proxied ? QNetworkProxy::HttpProxy : QNetworkProxy::NoProxy);
        if (proxied) {
            QCOMPARE(p.hostName(), QStringLiteral("p"));
            QCOMPARE(p.port(), quint16(8080));
            QCOMPARE(p.user(), user);
        }
    }

    void requestGoesThroughProxyWithBasicCredentials()
    {
        FakePlatform fp;
        FakeProxy proxy;
        writeStationFile("PROXY_UTIL=1\r\nPROXY_AUTBAS=1\r\nPROXY_SERV=127.0.0.1\r\nPROXY_PORT="
            + QByteArray::number(proxy.serverPort()) + "\r\n");
        StationSettings s;
        QVERIFY(s.setProxyUser("caixa"));
        QVERIFY(s.setProxyPass("s3nha"));
        StationHttpClient http;
        http.aplicaConexao(s);
        QNetworkReply *r = http.get(QUrl("http://zentrix.invalid/consulta?x=1"));
        QSignalSpy done(r, &QNetworkReply::finished);
        QVERIFY(done.wait(5000));
        QCOMPARE(r->error(), QNetworkReply::NoError);
        QCOMPARE(r->readAll(), QByteArray("ok"));
        QCOMPARE(proxy.heads.size(), 1);
        const QByteArray head = proxy.heads.first();
        QVERIFY2(head.startsWith("GET http://zentrix.invalid/consulta?x=1 HTTP/1.1\r\n"),
            head.constData());
        QVERIFY2(head.contains(QByteArray(
                     "Proxy-Authorization: Basic " + QByteArray("caixa:s3nha").toBase64())),
            head.constData());
        r->deleteLater();
    }

    void silentServerTimesOut()
    {
        FakePlatform fp;
        FakeProxy server;
        server.answer = false;
        StationHttpClient http;
        http.setReadTimeout(300);
        QNetworkReply *r
            = http.get(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort())));
        QSignalSpy done(r, &QNetworkReply::finished);
        QVERIFY(done.wait(5000));
        QVERIFY(r->error() != QNetworkReply::NoError);
        r->deleteLater();
    }
};

QTEST_GUILESS_MAIN(TstHttpClient)
#include "tst_httpclient.moc"
