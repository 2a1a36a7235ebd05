#include "common/core/Cp1252.h"
#include "common/core/Money.h"

#include <QTest>

using zx::Money;

class TstCore : public QObject {
    Q_OBJECT
private slots:
    void cp1252RoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(zx::cp1252::encode(zx::cp1252::decode(all)), all);
    }
    void cp1252Specials_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("accents") << QStringLiteral("ÇÃÉçãé") << QByteArray("\xC7\xC3\xC9\xE7\xE3\xE9");
        QTest::newRow("euro and quotes") << QStringLiteral("€“”…") << QByteArray("\x80\x93\x94\x85");
        QTest::newRow("raquo") << QStringLiteral("»") << QByteArray("\xBB");
        QTest::newRow("outside") << QStringLiteral("a☃b") << QByteArray("a?b");
    }
    void cp1252Specials()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(zx::cp1252::encode(text), bytes);
        if (!text.contains(QChar(0x2603)))
            QCOMPARE(zx::cp1252::decode(bytes), text);
    }

    void moneyParseFormat_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("out");
        QTest::newRow("program format") << "1.234,56" << qint64(12345600) << "1.234,56";
        QTest::newRow("no thousands") << "1234,5" << qint64(12345000) << "1.234,50";
        QTest::newRow("point decimal") << "1234.56" << qint64(12345600) << "1.234,56";
        QTest::newRow("point thousands") << "1.234" << qint64(12340000) << "1.234,00";
        QTest::newRow("negative") << "-0,01" << qint64(-100) << "-0,01";
        QTest::newRow("half up 2 dec") << "0,005" << qint64(50) << "0,01";
        QTest::newRow("half away neg") << "-0,005" << qint64(-50) << "-0,01";
        QTest::newRow("fifth decimal rounds") << "0,00005" << qint64(1) << "0,00";
        QTest::newRow("millions") << "1234567,89" << qint64(12345678900) << "1.234.567,89";
    }
    void moneyParseFormat()
    {
        QFETCH(QString, in);
        QFETCH(qint64, raw);
        QFETCH(QString, out);
        const auto m = Money::parse(in);
        QVERIFY(m.has_value());
        QCOMPARE(m->raw(), raw);
        QCOMPARE(m->format(), out);
    }
    void moneyRejects_data()
    {
        QTest::addColumn<QString>("in");
        for (const char *s : {"", "abc", "1,2,3x", "12a", "-", "R$"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }
    void moneyRejects()
    {
        QFETCH(QString, in);
        QVERIFY(!Money::parse(in).has_value());
    }
    void moneyArithmetic()
    {
        const Money a = *Money::parse("100,00");
        QCOMPARE(a.mulRate(150).format(), QStringLiteral("1,50")); // 1,5 %
        QCOMPARE(Money::fromCents(1000).divided(3).format(4), QStringLiteral("3,3333"));
        QCOMPARE((a - Money::fromCents(1)).formatPoint(), QStringLiteral("99.99"));
        QCOMPARE(Money::parse("2,345")->cents(), 235);
    }
};

QTEST_GUILESS_MAIN(TstCore)
#include "tst_core.moc"
