// The dBase engine: bytes on disk, text and numbers, damaged files, cursor and locks.
#include "helper_dbf.h"

#include "localstore/DbfTable.h"
#include "platform/fakes/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using zx::DbfField;
using zx::DbfTable;

class TstDbfTable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void headerAndRecordBytes();
    void textRoundTrip_data();
    void textRoundTrip();
    void wholeNumbers_data();
    void wholeNumbers();
    void foundWhateverTheCase_data();
    void foundWhateverTheCase();
    void damagedFiles_data();
    void damagedFiles();
    void unreadableHeaders_data();
    void unreadableHeaders();
    void filterLocateEditDelete();
    void hooks();
    void seesOtherWriters();
    void rowLockedByAnotherWriter();
    void emptyOnlyWhenUnused();
    void independentReaderOpensIt();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QList<DbfField> sampleFields() const
    {
        return { DbfField::character(QStringLiteral("NOME"), 10),
            DbfField::integer(QStringLiteral("NUM")) };
    }
    void makeSample(int rows);

    zx::FakePlatform *m_fp = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TstDbfTable::init()
{
    m_fp = new zx::FakePlatform;
    m_fp->clock->current = QDateTime(QDate(2026, 12, 11), QTime(9, 0));
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void TstDbfTable::cleanup()
{
    delete m_dir;
    delete m_fp;
}

void TstDbfTable::makeSample(int rows)
{
    QList<QStringList> data;
    for (int i = 1; i <= rows; ++i)
        data << QStringList { QStringLiteral("R%1").arg(i), QString::number(i * 10) };
    lstest::writeFile(path(QStringLiteral("T.DBF")),
        lstest::dbfBytes(
            { { QStringLiteral("NOME"), 'C', 10 }, { QStringLiteral("NUM"), 'N', 20 } }, data));
}

void TstDbfTable::headerAndRecordBytes()
{
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));

    QByteArray expected(32, '\0');
    expected[0] = 0x03; // dBase IV, no memo
    expected[1] = char(126); // 2026
    expected[2] = 12;
    expected[3] = 11; // count 0 in bytes 4-7
    expected[8] = char(97); // header: 32 + 2 * 32 + 1
    expected[10] = char(31); // record: 1 + 10 + 20
    expected[29] = 0x03; // Windows-1252
    QByteArray nome(32, '\0');
    nome.replace(0, 4, "NOME");
    nome[11] = 'C';
    nome[16] = 10;
    QByteArray num(32, '\0');
    num.replace(0, 3, "NUM");
    num[11] = 'N';
    num[16] = 20;
    expected += nome + num + char(0x0D) + char(0x1A);
    QCOMPARE(lstest::readFile(path(QStringLiteral("T.DBF"))), expected);

    m_fp->clock->current = QDateTime(QDate(2027, 1, 5), QTime(9, 0));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY2(t.open(), qPrintable(t.lastError()));
    QVERIFY(t.append());
    QVERIFY(t.setAsString(QStringLiteral("NOME"), QStringLiteral("ABC")));
    QVERIFY(t.setAsInteger(QStringLiteral("NUM"), 42));
    QVERIFY2(t.post(), qPrintable(t.lastError()));
    t.close();

    expected[1] = char(127);
    expected[2] = 1;
    expected[3] = 5;
    expected[4] = 1;
    expected.chop(1);
    expected += QByteArray(" ABC       ") + QByteArray(18, ' ') + "42" + char(0x1A);
    QCOMPARE(lstest::readFile(path(QStringLiteral("T.DBF"))), expected);
}

void TstDbfTable::textRoundTrip_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QByteArray>("onDisk");

    QTest::newRow("accents") << QStringLiteral("Ação Çé") << QStringLiteral("Ação Çé")
                             << QByteArray("A\xE7\xE3o \xC7\xE9");
    QTest::newRow("1252 specials")
        << QStringLiteral("€ŠŸ–") << QStringLiteral("€ŠŸ–") << QByteArray("\x80\x8A\x9F\x96");
    QTest::newRow("trailing blanks trimmed")
        << QStringLiteral("ab   ") << QStringLiteral("ab") << QByteArray("ab");
    QTest::newRow("leading blanks kept")
        << QStringLiteral("  ab") << QStringLiteral("  ab") << QByteArray("  ab");
    QTest::newRow("cut at the width") << QStringLiteral("0123456789XYZ")
                                      << QStringLiteral("0123456789") << QByteArray("0123456789");
    QTest::newRow("outside the code page")
        << QStringLiteral("日本") << QStringLiteral("??") << QByteArray("??");
}

void TstDbfTable::textRoundTrip()
{
    QFETCH(QString, written);
    QFETCH(QString, read);
    QFETCH(QByteArray, onDisk);
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));
    {
        DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
        QVERIFY(t.open());
        QVERIFY(t.append());
        QVERIFY(t.setAsString(QStringLiteral("NOME"), written));
        QVERIFY(t.post());
    }
    const QByteArray bytes = lstest::readFile(path(QStringLiteral("T.DBF")));
    QCOMPARE(bytes.mid(97 + 1, 10), onDisk.leftJustified(10, ' '));

    DbfTable again(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(again.open());
    QCOMPARE(again.asString(QStringLiteral("NOME")), read);
}

void TstDbfTable::wholeNumbers_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<qint64>("read");

    QTest::newRow("zero") << QStringLiteral("0") << true << qint64(0);
    QTest::newRow("largest 64-bit")
        << QStringLiteral("9223372036854775807") << true << std::numeric_limits<qint64>::max();
    QTest::newRow("negative 19 digits")
        << QStringLiteral("-9223372036854775807") << true << -std::numeric_limits<qint64>::max();
    QTest::newRow("blank reads 0") << QString() << true << qint64(0);
    QTest::newRow("not a number") << QStringLiteral("12a") << false << qint64(0);
    QTest::newRow("too wide") << QStringLiteral("123456789012345678901") << false << qint64(0);
}

void TstDbfTable::wholeNumbers()
{
    QFETCH(QString, written);
    QFETCH(bool, accepted);
    QFETCH(qint64, read);
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(t.open());
    QVERIFY(t.append());
    QCOMPARE(t.setAsString(QStringLiteral("NUM"), written), accepted);
    QVERIFY(t.post());
    QVERIFY(t.refresh());
    bool ok = false;
    QCOMPARE(t.asInteger(QStringLiteral("NUM"), &ok), read);
    QVERIFY(ok);
}

void TstDbfTable::foundWhateverTheCase_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::newRow("lower") << QStringLiteral("venda.dbf");
    QTest::newRow("mixed") << QStringLiteral("Venda.Dbf");
    QTest::newRow("upper name, lower extension") << QStringLiteral("VENDA.dbf");
}

void TstDbfTable::foundWhateverTheCase()
{
    QFETCH(QString, onDisk);
    QVERIFY(DbfTable::create(path(onDisk), sampleFields()));
    DbfTable t(m_dir->path(), QStringLiteral("VENDA.DBF"));
    QVERIFY(t.exists());
    QCOMPARE(QFileInfo(t.path()).fileName(), onDisk);
    QVERIFY2(t.open(), qPrintable(t.lastError()));
    QVERIFY(t.append());
    QVERIFY(t.post());
    t.close();
    QCOMPARE(lstest::countCaseVariants(m_dir->path(), onDisk), 1);

    // Re-creating replaces the file of the other case with the table's own name.
    QVERIFY(t.create(sampleFields()));
    QCOMPARE(
        QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("VENDA.DBF") });
}

void TstDbfTable::damagedFiles_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("headerCount");
    QTest::addColumn<int>("cutBytes"); // removed from the end of the file
    QTest::addColumn<int>("visible");
    QTest::addColumn<qint64>("dropped");

    // 5 records of 31 bytes, then the end marker.
    QTest::newRow("sound") << 5 << qint64(-1) << 0 << 5 << qint64(0);
    QTest::newRow("truncated inside a record") << 5 << qint64(-1) << 1 + 31 + 15 << 3 << qint64(2);
    QTest::newRow("truncated, no end marker") << 5 << qint64(-1) << 1 << 5 << qint64(0);
    QTest::newRow("header counts more than the file") << 5 << qint64(9) << 0 << 5 << qint64(4);
    QTest::newRow("count huge") << 2 << qint64(0xFFFFFFFF) << 0 << 2 << qint64(0xFFFFFFFFLL - 2);
    // A crash after the record was flushed but before its count: not a row.
    QTest::newRow("record beyond the count") << 5 << qint64(3) << 0 << 3 << qint64(0);
}

void TstDbfTable::damagedFiles()
{
    QFETCH(int, rows);
    QFETCH(qint64, headerCount);
    QFETCH(int, cutBytes);
    QFETCH(int, visible);
    QFETCH(qint64, dropped);

    QList<QStringList> data;
    for (int i = 1; i <= rows; ++i)
        data << QStringList { QStringLiteral("R%1").arg(i), QString::number(i) };
    QByteArray bytes = lstest::dbfBytes(
        { { QStringLiteral("NOME"), 'C', 10 }, { QStringLiteral("NUM"), 'N', 20 } }, data,
        headerCount);
    bytes.chop(cutBytes);
    lstest::writeFile(path(QStringLiteral("T.DBF")), bytes);

    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY2(t.open(), qPrintable(t.lastError()));
    QCOMPARE(t.recordCount(), visible);
    QCOMPARE(t.droppedRecords(), dropped);
    QCOMPARE(t.warning().isEmpty(), dropped == 0);
    if (visible > 0) {
        QVERIFY(t.last());
        QCOMPARE(t.asInteger(QStringLiteral("NUM")), qint64(visible));
    }

    // The next append lands right after the last whole record and fixes the count.
    QVERIFY(t.append());
    QVERIFY(t.setAsInteger(QStringLiteral("NUM"), 99));
    QVERIFY2(t.post(), qPrintable(t.lastError()));
    t.close();
    DbfTable again(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(again.open());
    QCOMPARE(again.droppedRecords(), qint64(0));
    QCOMPARE(again.recordCount(), visible + 1);
    QVERIFY(again.last());
    QCOMPARE(again.asInteger(QStringLiteral("NUM")), qint64(99));
    QCOMPARE(again.recNo(), visible + 1);
}

void TstDbfTable::unreadableHeaders_data()
{
    QTest::addColumn<int>("keepBytes");
    QTest::newRow("empty file") << 0;
    QTest::newRow("inside the table header") << 20;
    QTest::newRow("inside the field descriptors") << 50;
}

void TstDbfTable::unreadableHeaders()
{
    QFETCH(int, keepBytes);
    makeSample(3);
    const QString p = path(QStringLiteral("T.DBF"));
    lstest::writeFile(p, lstest::readFile(p).left(keepBytes));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(!t.open());
    QVERIFY(!t.lastError().isEmpty());
    QVERIFY(!t.isOpen());
    QVERIFY(!t.append());
}

void TstDbfTable::filterLocateEditDelete()
{
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(t.open());
    const QStringList states { QStringLiteral("P"), QStringLiteral("A"), QStringLiteral("P"),
        QStringLiteral("P") };
    for (int i = 0; i < states.size(); ++i) {
        QVERIFY(t.append());
        QVERIFY(t.setAsString(QStringLiteral("NOME"), states.at(i)));
        QVERIFY(t.setAsInteger(QStringLiteral("NUM"), i + 1));
        QVERIFY(t.post());
    }

    t.setFilter(QStringLiteral("NOME"), QStringLiteral("P"));
    QCOMPARE(t.recordCount(), 3);
    QCOMPARE(t.asInteger(QStringLiteral("NUM")), qint64(1));

    // A row that leaves the filter gives way to the one after it.
    QVERIFY(t.next());
    QCOMPARE(t.asInteger(QStringLiteral("NUM")), qint64(3));
    QVERIFY(t.edit());
    QVERIFY(t.setAsString(QStringLiteral("NOME"), QStringLiteral("C")));
    QVERIFY(t.post());
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.asInteger(QStringLiteral("NUM")), qint64(4));
    QVERIFY(!t.eof());
    QVERIFY(!t.next());
    QVERIFY(t.eof());

    t.clearFilter();
    QVERIFY(t.locate(QStringList { QStringLiteral("NOME"), QStringLiteral("NUM") },
        QStringList { QStringLiteral("A"), QStringLiteral("2") }));
    QCOMPARE(t.recNo(), 2);
    QVERIFY(!t.locate(QStringLiteral("NOME"), QStringLiteral("X")));
    QCOMPARE(t.recNo(), 2);
    QVERIFY(t.deleteRecord());
    QCOMPARE(t.recordCount(), 3);
    QCOMPARE(t.recNo(), 3);
    t.close();

    DbfTable again(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(again.open());
    QStringList seen;
    for (again.first(); !again.eof(); again.next())
        seen << again.asString(QStringLiteral("NOME")) + again.asString(QStringLiteral("NUM"));
    QCOMPARE(
        seen, (QStringList { QStringLiteral("P1"), QStringLiteral("C3"), QStringLiteral("P4") }));
    again.setShowDeleted(true);
    QCOMPARE(again.recordCount(), 4);
    QVERIFY(again.locate(QStringLiteral("NUM"), QStringLiteral("2")));
    QVERIFY(again.isDeleted());
    QCOMPARE(lstest::readFile(path(QStringLiteral("T.DBF"))).at(97 + 31), '*');
}

void TstDbfTable::hooks()
{
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    bool refuse = true;
    t.afterInsert
        = [](DbfTable &tb) { tb.setAsString(QStringLiteral("NOME"), QStringLiteral("novo")); };
    t.beforePost = [&refuse](DbfTable &tb) {
        tb.setAsInteger(QStringLiteral("NUM"), 7);
        return !refuse;
    };
    QVERIFY(t.open());
    QVERIFY(t.append());
    QCOMPARE(t.asString(QStringLiteral("NOME")), QStringLiteral("novo"));
    const qint64 before = QFileInfo(path(QStringLiteral("T.DBF"))).size();
    QVERIFY(!t.post());
    QCOMPARE(t.state(), DbfTable::State::Insert);
    QCOMPARE(QFileInfo(path(QStringLiteral("T.DBF"))).size(), before);
    refuse = false;
    QVERIFY(t.post());
    QCOMPARE(t.asInteger(QStringLiteral("NUM")), qint64(7));
    QCOMPARE(t.recordCount(), 1);
}

void TstDbfTable::seesOtherWriters()
{
    makeSample(2);
    DbfTable a(m_dir->path(), QStringLiteral("T.DBF"));
    DbfTable b(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(a.open());
    QVERIFY(b.open());

    // b changes row 1 and appends row 3 after a read the file.
    QVERIFY(b.edit());
    QVERIFY(b.setAsString(QStringLiteral("NOME"), QStringLiteral("de b")));
    QVERIFY(b.post());
    QVERIFY(b.append());
    QVERIFY(b.setAsInteger(QStringLiteral("NUM"), 30));
    QVERIFY(b.post());

    // Editing reads the row again; appending brings b's row into view under it.
    QCOMPARE(a.asString(QStringLiteral("NOME")), QStringLiteral("R1"));
    QVERIFY(a.edit());
    QCOMPARE(a.asString(QStringLiteral("NOME")), QStringLiteral("de b"));
    QVERIFY(a.post());
    QVERIFY(a.append());
    QVERIFY(a.setAsInteger(QStringLiteral("NUM"), 40));
    QVERIFY(a.post());
    QCOMPARE(a.recNo(), 4);
    QStringList nums;
    for (a.first(); !a.eof(); a.next())
        nums << a.asString(QStringLiteral("NUM"));
    QCOMPARE(nums,
        (QStringList { QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
            QStringLiteral("40") }));
}

void TstDbfTable::rowLockedByAnotherWriter()
{
    makeSample(2);
    DbfTable a(m_dir->path(), QStringLiteral("T.DBF"));
    DbfTable b(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(a.open());
    QVERIFY(b.open());
    b.setLockTimeout(50);
    QVERIFY(a.edit());
    QVERIFY(!b.edit());
    QCOMPARE(b.lastError(), QStringLiteral("Registro em uso por outro usuário"));
    QVERIFY(!b.deleteRecord());
    QVERIFY(b.next()); // another row is free
    QVERIFY(b.edit());
    b.cancel();
    QVERIFY(b.first());
    a.cancel();
    QVERIFY(b.edit());
}

void TstDbfTable::emptyOnlyWhenUnused()
{
    makeSample(3);
    DbfTable reader(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(reader.open());
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QCOMPARE(t.emptyIfUnused(), DbfTable::EmptyResult::InUse);
    reader.close();

    int seen = -1;
    QCOMPARE(t.emptyIfUnused([&seen](DbfTable &tb) {
        seen = tb.recordCount();
        return false;
    }),
        DbfTable::EmptyResult::Kept);
    QCOMPARE(seen, 3);
    QCOMPARE(t.emptyIfUnused(), DbfTable::EmptyResult::Emptied);
    const QByteArray bytes = lstest::readFile(path(QStringLiteral("T.DBF")));
    QCOMPARE(bytes.size(), 97 + 1);
    QCOMPARE(bytes.mid(4, 4), QByteArray(4, '\0'));
    QCOMPARE(bytes.at(97), char(0x1A));
    QVERIFY(!t.isOpen());
    QVERIFY(t.open());
    QVERIFY(t.isEmpty());
}

void TstDbfTable::independentReaderOpensIt()
{
    const QString dbfdump = QStandardPaths::findExecutable(QStringLiteral("dbfdump"));
    if (dbfdump.isEmpty())
        QSKIP("dbfdump (shapelib) is not installed");
    QVERIFY(DbfTable::create(path(QStringLiteral("T.DBF")), sampleFields()));
    DbfTable t(m_dir->path(), QStringLiteral("T.DBF"));
    QVERIFY(t.open());
    for (int i = 1; i <= 2; ++i) {
        QVERIFY(t.append());
        QVERIFY(t.setAsString(QStringLiteral("NOME"), QStringLiteral("Ação%1").arg(i)));
        QVERIFY(t.setAsInteger(QStringLiteral("NUM"), 1234567890123LL * i));
        QVERIFY(t.post());
    }
    t.close();

    QProcess p;
    p.start(dbfdump, { path(QStringLiteral("T.DBF")) });
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    QVERIFY2(lines.size() >= 3, lines.join('\n').constData());
    QVERIFY(lines.at(0).contains("NOME") && lines.at(0).contains("NUM"));
    QVERIFY(lines.at(1).startsWith("A\xE7\xE3o1"));
    QVERIFY(lines.at(1).trimmed().endsWith("1234567890123"));
    QVERIFY(lines.at(2).trimmed().endsWith("2469135780246"));
}

QTEST_GUILESS_MAIN(TstDbfTable)
#include "tst_dbftable.moc"
