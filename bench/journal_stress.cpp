// Two programs sharing one data folder append sales to the journal VENDA at the same
// time through the data module (numbers from proximoSequencial). Prints one line: rows,
// distinct SOLIC_VEND, time per append with the journal's flushes, and the time of a
// plain write + flush of the same record bytes for comparison.
//
//   journal_stress [N]        N sales per process (default 500)
//   ZX_BENCH_DIR=/some/disk   where the data folder is made (default: system temp)
#include "localstore/FileLock.h"
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kProcesses = 2;

// One sale as the sale page writes it.
bool appendSale(zx::DbfTable &v, int i)
{
    const QString valor
        = QStringLiteral("%1,%2").arg(10 + i % 900).arg(i % 100, 2, 10, QLatin1Char('0'));
    return v.append() && v.setAsString(QStringLiteral("SITUA_VEND"), QStringLiteral("P"))
        && v.setAsString(QStringLiteral("CARTA_VEND"),
            QStringLiteral("%1").arg(1000000 + i, 10, 10, QLatin1Char('0')))
        && v.setAsString(QStringLiteral("DATA_VENDA"), QStringLiteral("11/12/2026"))
        && v.setAsString(QStringLiteral("VENCI_VEND"), QStringLiteral("11/12/2026"))
        && v.setAsString(QStringLiteral("HORA_VENDA"), QStringLiteral("10:15:30"))
        && v.setAsString(QStringLiteral("VALOR_VEND"), valor)
        && v.setAsString(QStringLiteral("FUNCI_VEND"), QStringLiteral("0"))
        && v.setAsInteger(QStringLiteral("PARCE_VEND"), 1) && v.post();
}

// Child: appends n sales; prints the nanoseconds they took.
int child(const QString &folder, int n, int id)
{
    zx::FakePlatform fp; // a failing sequence reports through the dialogs seam
    zx::TDM dm(folder, QStringLiteral("10.0.0.%1").arg(id));
    if (!dm.CDSVenda.open()) {
        std::fprintf(stderr, "open: %s\n", qPrintable(dm.CDSVenda.lastError()));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i) {
        if (!appendSale(dm.CDSVenda, i)) {
            std::fprintf(stderr, "append %d: %s\n", i, qPrintable(dm.CDSVenda.lastError()));
            return 1;
        }
    }
    const qint64 ns = timer.nsecsElapsed();
    if (!fp.dialogs->messages.isEmpty()) {
        std::fprintf(stderr, "message: %s\n", qPrintable(fp.dialogs->lastText()));
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(ns));
    return 0;
}

// Plain baseline: the bytes of one journal record (and the end marker) written and
// flushed count times, one after the other.
double rawWriteFlushMs(const QString &folder, const QByteArray &record, int count)
{
    QFile raw(QDir(folder).filePath(QStringLiteral("raw.bin")));
    if (!raw.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        if (!raw.seek(qint64(i) * (record.size() - 1)) || raw.write(record) != record.size()
            || !zx::filelock::syncData(raw))
            return -1;
    }
    return timer.nsecsElapsed() / 1e6 / count;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--child"))
        return child(args.at(2), args.at(3).toInt(), args.at(4).toInt());

    const int n = args.size() > 1 ? args.at(1).toInt() : 500;
    if (n <= 0) {
        std::fprintf(stderr, "usage: journal_stress [N]\n");
        return 2;
    }
    const QString base = qEnvironmentVariable("ZX_BENCH_DIR", QDir::tempPath());
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("journal_stress-XXXXXX")));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a folder under %s\n", qPrintable(base));
        return 1;
    }
    zx::FakePlatform fp;
    zx::TDM dm(dir.path(), QStringLiteral("10.0.0.100"));
    if (!dm.criaTabelas()) {
        std::fprintf(stderr, "criaTabelas: %s\n", qPrintable(dm.ultimoErro()));
        return 1;
    }

    QList<QProcess *> children;
    for (int i = 0; i < kProcesses; ++i) {
        auto *p = new QProcess(&app);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(app.applicationFilePath(),
            { QStringLiteral("--child"), dir.path(), QString::number(n), QString::number(i + 1) });
        children << p;
    }
    double appendMs = 0;
    for (QProcess *p : children) {
        p->waitForFinished(-1);
        const QByteArray err = p->readAllStandardError();
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0) {
            std::fprintf(stderr, "child failed: %s\n", err.constData());
            return 1;
        }
        appendMs += p->readAllStandardOutput().trimmed().toLongLong() / 1e6 / n;
    }
    appendMs /= kProcesses;

    zx::DbfTable v(dm.pastaDados(), QStringLiteral("VENDA.DBF"));
    if (!v.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(v.lastError()));
        return 1;
    }
    QSet<qint64> numbers;
    for (v.first(); !v.eof(); v.next())
        numbers.insert(v.asInteger(QStringLiteral("SOLIC_VEND")));
    const int rows = v.recordCount();
    const zx::DbfHeader header = v.header();
    v.close();

    QFile file(v.path());
    QByteArray record;
    if (file.open(QIODevice::ReadOnly) && file.seek(header.headerLength))
        record = file.read(header.recordLength + 1);
    const double rawMs = rawWriteFlushMs(dir.path(), record, kProcesses * n);

    QTextStream out(stdout);
    out << "journal_stress: processes=" << kProcesses << " n=" << n << " rows=" << rows
        << " distinct_solic_vend=" << numbers.size()
        << " append_ms=" << QString::number(appendMs, 'f', 3)
        << " (per process, 3 flushes: sequence row, record, header count)"
        << " raw_write_flush_ms=" << QString::number(rawMs, 'f', 3) << " (" << record.size()
        << " bytes)\n";
    return rows == kProcesses * n && numbers.size() == kProcesses * n ? 0 : 1;
}
