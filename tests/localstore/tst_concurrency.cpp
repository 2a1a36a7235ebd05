// Two programs sharing one data folder append sales to the journal at the same time:
// no row may be lost and no two rows may share a sale number.
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kPerProcess = 200;

// The child: appends n sales through the data module of folder.
int appendSales(const QString &folder, int n)
{
    zx::FakePlatform fp;
    zx::TDM dm(folder, QStringLiteral("10.0.0.1"));
    if (!dm.CDSVenda.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(dm.CDSVenda.lastError()));
        return 1;
    }
    for (int i = 0; i < n; ++i) {
        if (!dm.CDSVenda.append()
            || !dm.CDSVenda.setAsString(QStringLiteral("SITUA_VEND"), QStringLiteral("P"))
            || !dm.CDSVenda.post()) {
            std::fprintf(stderr, "%s\n", qPrintable(dm.CDSVenda.lastError()));
            return 1;
        }
    }
    return fp.dialogs->messages.isEmpty() ? 0 : 1;
}

} // namespace

class TstConcurrency : public QObject {
    Q_OBJECT

private slots:
    void twoProgramsAppendAtOnce();
};

void TstConcurrency::twoProgramsAppendAtOnce()
{
    QTemporaryDir dir;
    zx::FakePlatform fp;
    zx::TDM dm(dir.path(), QStringLiteral("10.0.0.9"));
    QVERIFY(dm.criaTabelas());

    QList<QProcess *> children;
    for (int i = 0; i < 2; ++i) {
        auto *p = new QProcess(this);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--append-child"), dir.path(), QString::number(kPerProcess) });
        children << p;
    }
    for (QProcess *p : children) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }

    zx::DbfTable v(dm.pastaDados(), QStringLiteral("VENDA.DBF"));
    QVERIFY(v.open());
    QCOMPARE(v.droppedRecords(), qint64(0));
    QSet<qint64> numbers;
    for (v.first(); !v.eof(); v.next())
        numbers.insert(v.asInteger(QStringLiteral("SOLIC_VEND")));
    QCOMPARE(v.recordCount(), 2 * kPerProcess);
    QCOMPARE(numbers.size(), 2 * kPerProcess);
    QCOMPARE(*std::min_element(numbers.begin(), numbers.end()), qint64(1));
    QCOMPARE(*std::max_element(numbers.begin(), numbers.end()), qint64(2 * kPerProcess));
}

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--append-child") == 0) {
        QCoreApplication app(argc, argv);
        return appendSales(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    }
    QCoreApplication app(argc, argv);
    TstConcurrency t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_concurrency.moc"
