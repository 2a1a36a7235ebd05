#include "config/IniFile.h"
#include "helper_files.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using zx::IniFile;

namespace {
using configtest::readAll;
using configtest::writeAll;
} // namespace

class TstIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name = QStringLiteral("kv.ini")) { return m_dir.filePath(name); }

private slots:
    void init() { QFile::remove(path()); }

    void namesMatchWhateverTheirCase()
    {
        writeAll(path(), "[sistema]\r\nPorta=LPT2\r\n[Outra]\r\nporta=X\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("SISTEMA", "PORTA"), QStringLiteral("LPT2"));
        QVERIFY(ini.valueExists("SiStEmA", "pOrTa"));
        QVERIFY(ini.writeString("SISTEMA", "PORTA", "LPT3"));
        // The existing section and key are updated in place, keeping their spelling.
        QCOMPARE(readAll(path()), QByteArray("[sistema]\r\nPorta=LPT3\r\n[Outra]\r\nporta=X\r\n"));
    }

    void commentsAndUnknownLinesKept()
    {
        writeAll(path(),
            "; station file\n[SISTEMA]\nPORTA = LPT1 \n; printer\nEXTRA=1\n\n"
            "[OUTRA]\nX=y\nsem igual\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("SISTEMA", "PORTA"), QStringLiteral("LPT1"));
        QVERIFY(ini.writeString("SISTEMA", "QTDCOP", "3")); // new key: end of its section
        QVERIFY(ini.writeString("NOVA", "A", "b")); // new section: end of file
        QVERIFY(ini.writeString("SISTEMA", "EXTRA", "2")); // changed key: same place
        QCOMPARE(readAll(path()),
            QByteArray("; station file\r\n[SISTEMA]\r\nPORTA = LPT1 \r\n; printer\r\n"
                       "EXTRA=2\r\nQTDCOP=3\r\n\r\n[OUTRA]\r\nX=y\r\nsem igual\r\n"
                       "[NOVA]\r\nA=b\r\n"));
        QCOMPARE(ini.keys("sistema"), QStringList({ "PORTA", "EXTRA", "QTDCOP" }));
    }

    void unchangedValueLeavesFileUntouched()
    {
        const QByteArray original("[SISTEMA]\nPORTA = LPT1\nTIPO=0\n"); // LF ends, blanks
        writeAll(path(), original);
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
        {
            QFile f(path());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        IniFile ini(path());
        QVERIFY(ini.writeString("sistema", "porta", "LPT1"));
        QVERIFY(zx::gravaSeMudou(ini, "SISTEMA", "TIPO", "0"));
        // A missing key counts as empty: an empty value creates nothing.
        QVERIFY(zx::gravaSeMudou(ini, "SISTEMA", "PROXY_SERV", ""));
        QVERIFY(zx::gravaSeMudou(ini, "NOVA", "X", ""));
        QCOMPARE(readAll(path()), original);
        QCOMPARE(QFileInfo(path()).lastModified().toUTC(), old);

        // Without a file, an empty value creates no file either.
        IniFile none(path("nada.ini"));
        QVERIFY(zx::gravaSeMudou(none, "SISTEMA", "PORTA", ""));
        QVERIFY(!QFile::exists(path("nada.ini")));

        QVERIFY(zx::gravaSeMudou(ini, "SISTEMA", "TIPO", "1"));
        QCOMPARE(readAll(path()), QByteArray("[SISTEMA]\r\nPORTA = LPT1\r\nTIPO=1\r\n"));
    }

    void valuesAreRawWindows1252()
    {
        writeAll(path(), "[CONFIG]\r\nNOME=A\xC7\xC3O \x80\x81\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("CONFIG", "NOME"), QStringLiteral("AÇÃO €") + QChar(0x81));
        QVERIFY(ini.writeString("CONFIG", "RUA", QStringLiteral("São João")));
        QVERIFY(readAll(path()).endsWith("RUA=S\xE3o Jo\xE3o\r\n"));
    }

    void valuesSurviveBlanksAndQuotes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QStringLiteral("LPT1");
        QTest::newRow("leading blank") << QStringLiteral(" x");
        QTest::newRow("trailing tab") << QStringLiteral("x\t");
        QTest::newRow("quoted") << QStringLiteral("\"x\"");
        QTest::newRow("single quoted") << QStringLiteral("'x'");
        QTest::newRow("one quote") << QStringLiteral("\"");
        QTest::newRow("equals and semicolon") << QStringLiteral(";a=b[c]");
        QTest::newRow("blank only") << QStringLiteral(" ");
        QTest::newRow("empty") << QString();
    }
    void valuesSurviveBlanksAndQuotes()
    {
        QFETCH(QString, value);
        IniFile ini(path());
        QVERIFY(ini.writeString("S", "K", value));
        QVERIFY(ini.writeString("S", "OUTRA", "1"));
        QCOMPARE(ini.readString("S", "K", "padrão"), value);
    }

    void hostileValuesRefusedAndFileKept_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("LF") << QStringLiteral("a\nB=2");
        QTest::newRow("CR") << QStringLiteral("a\rb");
        QTest::newRow("NUL") << (QStringLiteral("a") + QChar(u'\0'));
    }
    void hostileValuesRefusedAndFileKept()
    {
        QFETCH(QString, value);
        writeAll(path(), "[S]\r\nK=1\r\n");
        IniFile ini(path());
        QVERIFY(!ini.writeString("S", "K", value));
        QVERIFY(!ini.errorString().isEmpty());
        QCOMPARE(readAll(path()), QByteArray("[S]\r\nK=1\r\n"));
    }

    void firstOccurrenceWins()
    {
        writeAll(path(), "K=fora\r\n[S]\r\nK=1\r\nk=2\r\n[s]\r\nK=3\r\nL=4\r\n");
        IniFile ini(path());
        QCOMPARE(ini.readString("S", "K"), QStringLiteral("1"));
        // Keys before the first section belong to none; only the first [S] counts.
        QVERIFY(!ini.valueExists("S", "L"));
        QVERIFY(ini.writeString("S", "K", "9"));
        QCOMPARE(
            readAll(path()), QByteArray("K=fora\r\n[S]\r\nK=9\r\nk=2\r\n[s]\r\nK=3\r\nL=4\r\n"));
    }

    void numbers_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("45") << 45;
        QTest::newRow("blanks") << QByteArray("  45  ") << 45;
        QTest::newRow("negative") << QByteArray("-3") << -3;
        QTest::newRow("letters") << QByteArray("4x") << 7;
        QTest::newRow("empty") << QByteArray("") << 7;
        QTest::newRow("decimal") << QByteArray("4,5") << 7;
        QTest::newRow("too big") << QByteArray("99999999999") << 7;
    }
    void numbers()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        writeAll(path(), "[S]\r\nN=" + stored + "\r\n");
        QCOMPARE(IniFile(path()).readInteger("S", "N", 7), expected);
    }

    void everyCallSeesOtherWriters()
    {
        IniFile a(path());
        IniFile b(path());
        QVERIFY(a.writeString("S", "A", "1"));
        QVERIFY(b.writeString("S", "B", "2"));
        QCOMPARE(a.readString("S", "B"), QStringLiteral("2"));
        QCOMPARE(readAll(path()), QByteArray("[S]\r\nA=1\r\nB=2\r\n"));
    }

    void nameFoundWhateverItsCase()
    {
        writeAll(path("KV.INI"), "[SISTEMA]\r\nPORTA=LPT2\r\n");
        QCOMPARE(IniFile::findIgnoringCase(path("kv.ini")), path("KV.INI"));
        QCOMPARE(IniFile::findIgnoringCase(path("outro.ini")), path("outro.ini"));
        QFile::remove(path("KV.INI"));
    }
};

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
