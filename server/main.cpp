// zentrix-server: the reference network server of the Zentrix stations.
//
//   zentrix-server --db FILE [--listen 127.0.0.1:PORT] [--seed demo] [--version X] [--base PATH]
//
// Prints "listening ADDRESS:PORT" on stdout once it accepts calls (PORT 0 picks a free
// port), then one log line per call on stderr.
#include "DemoSeed.h"
#include "ServerStore.h"
#include "ZentrixServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2] = { -1, -1 };

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] auto n = ::write(g_signalPipe[1], &c, 1);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "zentrix-server: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zentrix-server"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Zentrix reference network server"));
    p.addHelpOption();
    p.addOption({ QStringLiteral("db"),
        QStringLiteral("SQLite database file (created when missing)."), QStringLiteral("FILE") });
    p.addOption(
        { QStringLiteral("listen"), QStringLiteral("Address and port; port 0 picks a free one."),
            QStringLiteral("ADDR:PORT"), QStringLiteral("127.0.0.1:0") });
    p.addOption({ QStringLiteral("seed"),
        QStringLiteral("Fill an empty database with the demo network."), QStringLiteral("demo") });
    p.addOption({ QStringLiteral("version"),
        QStringLiteral("Program version announced by getDatHor."), QStringLiteral("X") });
    p.addOption({ QStringLiteral("base"), QStringLiteral("Path of the services (default /)."),
        QStringLiteral("PATH"), QStringLiteral("/") });
    p.addOption({ QStringLiteral("quiet"), QStringLiteral("No log line per call.") });
    p.process(app);

    if (!p.isSet(QStringLiteral("db")))
        return fail(QStringLiteral("--db FILE is required"));
    const QString listen = p.value(QStringLiteral("listen"));
    const qsizetype colon = listen.lastIndexOf(u':');
    bool portOk = false;
    const uint port = colon < 0 ? 0 : listen.mid(colon + 1).toUInt(&portOk);
    const QHostAddress address(colon < 0 ? listen : listen.left(colon));
    if (colon < 0 || !portOk || port > 65535 || address.isNull())
        return fail(QStringLiteral("--listen wants ADDRESS:PORT, got ") + listen);
    if (p.isSet(QStringLiteral("seed")) && p.value(QStringLiteral("seed")) != u"demo")
        return fail(QStringLiteral("--seed knows only \"demo\""));

    zx::server::ServerStore store(p.value(QStringLiteral("db")));
    QString error;
    if (!store.open(&error))
        return fail(QStringLiteral("cannot open the database: ") + error);
    const zx::server::Clock clock = [] { return QDateTime::currentDateTime(); };
    if (p.isSet(QStringLiteral("seed"))) {
        if (store.isEmpty()) {
            if (!zx::server::seedDemo(store.db(), clock().date(), &error))
                return fail(QStringLiteral("demo seed failed: ") + error);
            std::fprintf(
                stderr, "zentrix-server: demo network written to %s\n", qPrintable(store.path()));
        }
    }

    zx::server::ServerOptions options;
    options.basePath = p.value(QStringLiteral("base"));
    options.version = p.value(QStringLiteral("version"));
    options.operatorCnpj = zx::server::demoFacts().operatorCnpj;
    zx::server::ZentrixServer server(store.db(), options, clock);
    server.setLogging(!p.isSet(QStringLiteral("quiet")));
    const quint16 actual = server.start(address, quint16(port), &error);
    if (actual == 0)
        return fail(QStringLiteral("cannot listen on ") + listen + QStringLiteral(": ") + error);

    if (::pipe(g_signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    std::signal(SIGPIPE, SIG_IGN);

    QString shown = address.toString();
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        shown = u'[' + shown + u']';
    std::fprintf(stdout, "listening %s:%u\n", qPrintable(shown), unsigned(actual));
    std::fflush(stdout);
    return app.exec();
}
