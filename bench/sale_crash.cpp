// The client killed at random instants while it sells, restarted each time: after 50
// rounds the local tables still open, no sale is left pending, and the server holds
// exactly the sales the journal holds as authorized (none doubled, none lost).
//
//   sale_crash [ROUNDS]                    (ZX_SERVER_BIN: the server)
//   sale_crash --child ROUND FOLDER BASE   one client run (start-up check, then sales)
#include "sale_harness.h"

#include "DemoSeed.h"
#include "common/core/Money.h"
#include "merchant/SaleJournal.h"
#include "platform/fakes/FakePlatform.h"
#include "service/Twc.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

int child(int round, const QString &folder, const QString &base)
{
    // The real station paths of the folder, recording dialogs (every question "Yes").
    zx::PlatformServices s = zx::Platform::real({"--root", folder, "--home", folder + "/station"});
    auto dialogs = std::make_shared<zx::FakeDialogs>();
    s.dialogs = dialogs;
    // Never the machine's own clock: the child only reads the time.
    auto clock = std::make_shared<zx::FakeClock>();
    clock->current = QDateTime::currentDateTime();
    s.clock = clock;
    zx::Platform::install(s);
    zx::ServiceSettings::setBaseOverride(base);
    const QString cnpj = zx::server::demoFacts().merchantCnpj;
    zx::TDM dm;
    if (!salebench::prepareStation(dm, cnpj))
        return 3;
    salebench::Station st(dm, cnpj);
    zx::Twc::instance().cnpjEstac = cnpj;
    st.page->verifSolicPend();
    if (round < 0)
        return 0; // check only
    for (int i = 0; i < 12; ++i)
        st.sell(zx::server::demoFacts().cardNoPassword.number, zx::Money::fromCents(1 + round * 12 + i).format(2, true));
    return 0;
}

struct Journal {
    bool opened = false;
    int pending = 0, authorized = 0, reversed = 0, refused = 0;
    QSet<QString> numbers;
};

Journal readJournal(const QString &folder)
{
    Journal j;
    zx::DbfTable t(folder + "/station/Dados", "VENDA.DBF");
    j.opened = t.open();
    if (!j.opened)
        return j;
    for (t.first(); !t.eof(); t.next()) {
        const QString s = t.asString("SITUA_VEND");
        j.pending += s == "P";
        j.reversed += s == "C";
        j.refused += s == "R";
        if (s == "A") {
            ++j.authorized;
            j.numbers.insert(t.asString("AUTOR_VEND"));
        }
    }
    zx::DbfTable u(folder + "/station/Dados", "ULT_SOLIC.DBF");
    j.opened = j.opened && u.open();
    return j;
}

QSet<QString> serverAuthorized(const QString &db, const QString &card)
{
    QSet<QString> out;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "crash");
        d.setDatabaseName(db);
        if (d.open()) {
            QSqlQuery q(d);
            q.prepare("SELECT AUTOR_VENDA FROM KV_VENDA WHERE SITUA_VENDA = 'A' AND CARTA_VENDA = ? "
                      "AND DATA_VENDA = date('now', 'localtime')");
            q.addBindValue(card);
            if (q.exec())
                while (q.next())
                    out.insert(q.value(0).toString());
        }
    }
    QSqlDatabase::removeDatabase("crash");
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args.at(1) == "--child")
        return child(args.at(2).toInt(), args.at(3), args.at(4));

    const int rounds = args.size() > 1 ? args.at(1).toInt() : 50;
    QString bin = qEnvironmentVariable("ZX_SERVER_BIN");
    if (bin.isEmpty())
        bin = QDir(QCoreApplication::applicationDirPath()).filePath("../server/zentrix-server");
    QTemporaryDir dir;
    QProcess server;
    const quint16 port = salebench::startServer(server, bin, dir.filePath("zx.sqlite"));
    if (!port)
        return 1;
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    const QString folder = dir.filePath("station");
    QDir().mkpath(folder + "/station");

    int killed = 0, tablesBroken = 0, maxPendingSeen = 0, leftPending = 0;
    QElapsedTimer total;
    total.start();
    for (int r = 0; r < rounds; ++r) {
        QProcess c;
        c.setProgram(QCoreApplication::applicationFilePath());
        c.setArguments({"--child", QString::number(r), folder, base});
        c.start();
        c.waitForStarted();
        // Kill somewhere in the start-up check or the sales that follow it.
        const int after = QRandomGenerator::global()->bounded(60, 450);
        if (!c.waitForFinished(after)) {
            c.kill();
            c.waitForFinished(5000);
            ++killed;
        }
        const Journal j = readJournal(folder);
        tablesBroken += !j.opened;
        maxPendingSeen = qMax(maxPendingSeen, j.pending);
        leftPending += j.pending > 0;
    }
    // A last, peaceful start: its check reverses what the last kill left pending.
    QProcess last;
    last.start(QCoreApplication::applicationFilePath(), {"--child", "-1", folder, base});
    last.waitForFinished(120000);
    const Journal j = readJournal(folder);
    const QSet<QString> srv = serverAuthorized(dir.filePath("zx.sqlite"), zx::server::demoFacts().cardNoPassword.number);
    const int lostLocally = int((srv - j.numbers).size()); // authorized on the server, unknown here
    const int phantom = int((j.numbers - srv).size());     // "A" here, not on the server
    server.terminate();
    server.waitForFinished(5000);
    const bool ok = tablesBroken == 0 && j.pending == 0 && lostLocally == 0 && phantom == 0;
    std::printf("sale_crash: %d rounds, %d killed mid-run, %.1f s; tables always open: %s; journal A %d, C %d, R %d, "
                "P left %d (kills that left a sale pending %d, at most %d at once); server authorized %lld, unmatched on server %d, "
                "unmatched locally %d: %s\n",
                rounds, killed, total.elapsed() / 1000.0, tablesBroken ? "NO" : "yes", j.authorized, j.reversed,
                j.refused, j.pending, leftPending, maxPendingSeen, (long long)srv.size(), lostLocally, phantom,
                ok ? "PASS" : "FAIL");
    return ok ? 0 : 2;
}
