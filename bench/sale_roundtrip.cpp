// 200 sales through the card page's real path (journal rows, in-flight mark, packing,
// SOAP, the reply copied into the local tables) against a local zentrix-server.
// Prints one line: p50 and p99 per sale, the server's own time per getAutoriz call
// (from its log), and a raw loopback POST of the same request size for comparison.
//
//   sale_roundtrip [N]     (ZX_SERVER_BIN: the server; default: next to this program)
#include "sale_harness.h"

#include "merchant/TwcCartao.h"
#include "platform/fakes/FakePlatform.h"
#include "DemoSeed.h"
#include "service/Twc.h"
#include "service/protocol/Packing.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QEventLoop>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

double pct(QList<double> v, double p)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.at(qMin<qsizetype>(v.size() - 1, qsizetype(p * (v.size() - 1) + 0.5)));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    QString bin = qEnvironmentVariable("ZX_SERVER_BIN");
    if (bin.isEmpty())
        bin = QDir(QCoreApplication::applicationDirPath()).filePath("../server/zentrix-server");

    zx::FakePlatform fp;
    fp.clock->current = QDateTime::currentDateTime();
    QTemporaryDir dir;
    QProcess server;
    const quint16 port = salebench::startServer(server, bin, dir.filePath("zx.sqlite"));
    if (!port) {
        std::fprintf(stderr, "sale_roundtrip: cannot start %s\n", qPrintable(bin));
        return 1;
    }
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    zx::ServiceSettings::setBaseOverride(base);
    const QString cnpj = zx::server::demoFacts().merchantCnpj;
    const QString cardNumber = zx::server::demoFacts().cardNoPassword.number;
    zx::TDM dm;
    if (!salebench::prepareStation(dm, cnpj)) {
        std::fprintf(stderr, "sale_roundtrip: station setup failed\n");
        return 1;
    }
    salebench::Station st(dm, cnpj);
    zx::Twc::instance().cnpjEstac = st.state.stationCnpj;

    QList<double> ms;
    int authorized = 0;
    QElapsedTimer t;
    for (int i = 0; i < n; ++i) {
        const QString amount = zx::Money::fromCents(100 + i).format(2, true);
        t.start();
        authorized += st.sell(cardNumber, amount);
        ms << t.nsecsElapsed() / 1e6;
    }

    // Server's own time per sale from its log lines "... getAutoriz 200 Nms ...".
    server.waitForReadyRead(200);
    const QStringList log = QString::fromLocal8Bit(server.readAllStandardError()).split('\n');
    QList<double> serverMs;
    static const QRegularExpression re(QStringLiteral("getAutoriz \\d+ (\\d+)ms"));
    for (const QString &l : log)
        if (const auto m = re.match(l); m.hasMatch())
            serverMs << m.captured(1).toDouble();

    // A raw POST of the same size to the same server (an unknown path answers at once).
    const QString request = zx::montaVenda("", "0", 1, zx::Money::fromCents(100), "6070001001", cnpj, "01/01/2026");
    const QByteArray body(zx::protocol::getZip(request).toBase64().size() + 600, 'x');
    QNetworkAccessManager nam;
    QList<double> raw;
    for (int i = 0; i < n; ++i) {
        QNetworkRequest rq(QUrl(base + "raw"));
        rq.setHeader(QNetworkRequest::ContentTypeHeader, "text/xml; charset=utf-8");
        t.start();
        QNetworkReply *r = nam.post(rq, body);
        QEventLoop loop;
        QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        raw << t.nsecsElapsed() / 1e6;
        r->deleteLater();
    }
    server.terminate();
    server.waitForFinished(5000);

    std::printf("sale_roundtrip: %d sales (%d authorized) p50 %.2f ms p99 %.2f ms per sale; server getAutoriz "
                "p50 %.0f ms p99 %.0f ms (%lld logged); raw loopback POST of %lld bytes p50 %.2f ms p99 %.2f ms\n",
                n, authorized, pct(ms, 0.5), pct(ms, 0.99), pct(serverMs, 0.5), pct(serverMs, 0.99),
                (long long)serverMs.size(), (long long)body.size(), pct(raw, 0.5), pct(raw, 0.99));
    return authorized == n ? 0 : 2;
}
