#include "helper_fakesoap.h"

#include "service/ServiceError.h"
#include "service/SoapTransport.h"

#include <QElapsedTimer>
#include <QTest>

using namespace zx;
using zxtest::FakeResponse;
using zxtest::FakeSoapServer;

class TstTransport : public QObject {
    Q_OBJECT
private slots:
    void postsEnvelopeWithActionAndContentType()
    {
        FakeSoapServer server;
        server.fallback = FakeSoapServer::http(200, "<ok/>", "text/xml; charset=utf-8");
        const QByteArray envelope = "<?xml version=\"1.0\"?><x>\xc3\xa7</x>";
        const SoapTransport::Reply r = SoapTransport().post(
            QUrl(server.baseUrl() + "kv1_F.asmx"), "http://tempuri.org/getAutoriz", envelope);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.body, QByteArray("<ok/>"));
        QCOMPARE(server.requests.size(), 1);
        const zxtest::FakeRequest &req = server.requests.first();
        QCOMPARE(req.method, QByteArray("POST"));
        QCOMPARE(req.path, QByteArray("/ws/kv1_F.asmx"));
        QCOMPARE(req.header("SOAPAction"), QByteArray("\"http://tempuri.org/getAutoriz\""));
        QCOMPARE(req.header("Content-Type"), QByteArray("text/xml; charset=utf-8"));
        QCOMPARE(req.body, envelope);
    }

    void httpErrorStatusComesBackWithItsBody()
    {
        // A SOAP fault travels with status 500: the caller reads the body.
        FakeSoapServer server;
        server.fallback = FakeSoapServer::http(500, "falhou");
        const SoapTransport::Reply r
            = SoapTransport().post(QUrl(server.baseUrl() + "kv3.asmx"), "a", "b");
        QCOMPARE(r.status, 500);
        QCOMPARE(r.body, QByteArray("falhou"));
    }

    void failuresRaiseServiceError_data()
    {
        QTest::addColumn<int>("mode"); // -1: refused connection
        QTest::addColumn<int>("kind");
        QTest::newRow("refused") << -1 << int(ServiceError::Kind::Connection);
        QTest::newRow("closed without reply")
            << int(FakeResponse::Mode::Close) << int(ServiceError::Kind::Connection);
        QTest::newRow("truncated body")
            << int(FakeResponse::Mode::Truncated) << int(ServiceError::Kind::Connection);
        QTest::newRow("no answer")
            << int(FakeResponse::Mode::Hang) << int(ServiceError::Kind::Timeout);
    }
    void failuresRaiseServiceError()
    {
        QFETCH(int, mode);
        QFETCH(int, kind);
        FakeSoapServer server;
        FakeResponse r = FakeSoapServer::http(200, QByteArray(400, 'x'));
        if (mode >= 0)
            r.mode = FakeResponse::Mode(mode);
        server.fallback = r;
        const QString base = mode < 0 ? FakeSoapServer::refusedBaseUrl() : server.baseUrl();
        SoapTransport t;
        t.setTimeouts({ 2000, 2000, 300 });
        QElapsedTimer clock;
        clock.start();
        try {
            t.post(QUrl(base + "kv3.asmx"), "x", "y");
            QFAIL("no failure raised");
        } catch (const ServiceError &e) {
            QCOMPARE(int(e.kind()), kind);
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY2(clock.elapsed() < 1900, "a time-out took longer than its phase allows");
    }

    void receiveTimeoutCountsFromLastProgress()
    {
        // The receive wait is re-armed by every chunk; a reply that never completes
        // still ends in a time-out, naming the phase.
        FakeSoapServer server;
        server.fallback = FakeSoapServer::withMode(FakeResponse::Mode::Hang);
        SoapTransport t;
        t.setTimeouts({ 5000, 5000, 200 });
        try {
            t.post(QUrl(server.baseUrl() + "kv3.asmx"), "x", "y");
            QFAIL("no failure raised");
        } catch (const ServiceError &e) {
            QCOMPARE(e.kind(), ServiceError::Kind::Timeout);
            QVERIFY2(e.message().contains(QStringLiteral("receber")), qPrintable(e.message()));
        }
    }

    void defaultTimeoutsAreThreeMinutesPerPhase()
    {
        const SoapTimeouts saved = SoapTransport::defaultTimeouts();
        QCOMPARE(SoapTimeouts().connectMs, 180000);
        QCOMPARE(SoapTimeouts().sendMs, 180000);
        QCOMPARE(SoapTimeouts().receiveMs, 180000);
        SoapTransport::setDefaultTimeouts({ 10, 20, 30 });
        QCOMPARE(SoapTransport().timeouts().receiveMs, 30);
        SoapTransport::setDefaultTimeouts(saved);
    }

    void invalidAddressIsAConnectionFailure()
    {
        try {
            SoapTransport().post(QUrl(QStringLiteral("kv3.asmx")), "x", "y");
            QFAIL("no failure raised");
        } catch (const ServiceError &e) {
            QCOMPARE(e.kind(), ServiceError::Kind::Connection);
        }
    }
};

QTEST_MAIN(TstTransport)
#include "tst_transport.moc"
