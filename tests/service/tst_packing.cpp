#include "common/core/Cp1252.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"

#include <QCryptographicHash>
#include <QTest>
#include <zlib.h>

using namespace zx::protocol;

namespace {

QString allBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return zx::cp1252::decode(b);
}

QByteArray rawDeflate(const QByteArray &data, int windowBits)
{
    z_stream zs {};
    deflateInit2(&zs, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&zs, uLong(data.size()))) + 32, Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.truncate(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return out;
}

} // namespace

class TstPacking : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("record list") << QStringLiteral(
            "<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n<REGISTRO>\r\n"
            "<NOME>Ação & Cia</NOME>\r\n</REGISTRO>\r\n</DATASET>\r\n");
        QTest::newRow("every byte") << allBytes();
        QTest::newRow("large") << QString(300000, QLatin1Char('x')) + allBytes();
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        const QByteArray packed = getZip(text);
        QCOMPARE(quint8(packed.at(0)), quint8(0x78));
        QCOMPARE(quint8(packed.at(1)), quint8(0xDA)); // level 9
        QString error;
        const auto back = getUnzip(packed, &error);
        QVERIFY2(back.has_value(), qPrintable(error));
        QCOMPARE(*back, text);
        QCOMPARE(getZip2(text), packed);
        QCOMPARE(getUnzip2(packed).value_or(QStringLiteral("?")), text);
        // Bytes are Windows-1252, one per character.
        QCOMPARE(zlibInflate(packed).value_or(QByteArray("?")), zx::cp1252::encode(text));
    }

    void refusedStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        const QByteArray good = getZip(QString(5000, QLatin1Char('a')) + allBytes());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(2);
        QTest::newRow("cut in the data") << good.left(good.size() / 2);
        QTest::newRow("cut in the checksum") << good.left(good.size() - 1);
        QByteArray badSum = good;
        badSum[badSum.size() - 1] = char(badSum.at(badSum.size() - 1) ^ 0x01);
        QTest::newRow("wrong checksum") << badSum;
        QByteArray badData = good;
        badData[good.size() / 2] = char(badData.at(good.size() / 2) ^ 0xFF);
        QTest::newRow("corrupt data") << badData;
        QTest::newRow("trailing bytes") << good + QByteArray("junk");
        QTest::newRow("two streams") << good + good;
        QTest::newRow("gzip, not zlib") << rawDeflate("hello", 15 + 16);
        QTest::newRow("raw deflate, not zlib") << rawDeflate("hello", -15);
        QTest::newRow("plain text") << QByteArray("<?xml version='1.0'?>");
    }
    void refusedStreams()
    {
        QFETCH(QByteArray, stream);
        QString error;
        QVERIFY(!getUnzip(stream, &error).has_value());
        QVERIFY(!error.isEmpty());
    }

    void inflateIsBounded()
    {
        // A small hostile reply that inflates to 32 MiB of zeros.
        const QByteArray bomb = zlibDeflate(QByteArray(32 * 1024 * 1024, '\0'));
        QVERIFY(bomb.size() < 64 * 1024);
        QString error;
        QVERIFY(!zlibInflate(bomb, &error, 1024 * 1024).has_value());
        QVERIFY(error.contains(QStringLiteral("limite")));

        // The bound is inclusive.
        const QByteArray exact = zlibDeflate(QByteArray(1000, 'z'));
        QCOMPARE(zlibInflate(exact, nullptr, 1000).value_or(QByteArray()).size(), 1000);
        QVERIFY(!zlibInflate(exact, nullptr, 999).has_value());

        // Calls without their own bound use the process-wide one.
        QCOMPARE(inflateLimit(), kDefaultInflateLimit);
        setInflateLimit(999);
        QVERIFY(!getUnzip(exact).has_value());
        setInflateLimit(kDefaultInflateLimit);
        QVERIFY(getUnzip(exact).has_value());
    }

    void md5_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << ""
                               << "D41D8CD98F00B204E9800998ECF8427E";
        QTest::newRow("abc") << "abc"
                             << "900150983CD24FB0D6963F7D28E17F72";
        // Hashed as the Windows-1252 byte 0xE7, not as UTF-8.
        QTest::newRow("c cedilla")
            << "ç"
            << QString::fromLatin1(
                   QCryptographicHash::hash("\xE7", QCryptographicHash::Md5).toHex().toUpper());
    }
    void md5()
    {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(getMD5(text), digest);
    }

    void strToByte()
    {
        QCOMPARE(StrToByte("0129"), QByteArray("\x00\x01\x02\x09", 4));
        QCOMPARE(StrToByte(""), QByteArray());
    }

    void webIdentifier_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("id");
        // "ddmmyyyy" as a number (leading zero dropped), divided by 37, remainder dropped.
        QTest::newRow("05/03/2024") << QDate(2024, 3, 5) << "136000";
        QTest::newRow("01/01/2000") << QDate(2000, 1, 1) << "27351";
        QTest::newRow("29/02/2024") << QDate(2024, 2, 29) << "784379";
        QTest::newRow("31/12/2099") << QDate(2099, 12, 31) << "841137";
    }
    void webIdentifier()
    {
        QFETCH(QDate, date);
        QFETCH(QString, id);
        QCOMPARE(kIdWebDivisor, 37);
        QCOMPARE(getIDWeb(date), id);
        QCOMPARE(getIDWebMD5(date), getMD5(id));
        QCOMPARE(getIDWebMD5(date), getIDWebMD5(date).toUpper());
    }

    void identityForms_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        const QDate day(2024, 3, 5);
        QTest::newRow("web id packed")
            << int(IdentityForm::WebIdPacked) << int(QMetaType::QByteArray) << getIDWeb(day);
        QTest::newRow("hash packed")
            << int(IdentityForm::HashPacked) << int(QMetaType::QByteArray) << getIDWebMD5(day);
        QTest::newRow("hash external")
            << int(IdentityForm::HashExternal) << int(QMetaType::QByteArray) << getIDWebMD5(day);
        QTest::newRow("hash text")
            << int(IdentityForm::HashText) << int(QMetaType::QString) << getIDWebMD5(day);
        QTest::newRow("web id text")
            << int(IdentityForm::WebIdText) << int(QMetaType::QString) << getIDWeb(day);
    }
    void identityForms()
    {
        QFETCH(int, form);
        QFETCH(int, type);
        QFETCH(QString, text);
        const auto f = IdentityForm(form);
        const QDate day(2024, 3, 5);
        const QVariant arg = identityArgument(f, day);
        QCOMPARE(arg.typeId(), type);
        QCOMPARE(identityText(f, arg).value_or(QString()), text);
        QVERIFY(identityMatches(f, arg, day));
        QVERIFY(!identityMatches(f, arg, day.addDays(1)));
        QVERIFY(!identityMatches(f, identityArgument(f, day.addDays(-1)), day));
        // The wrong carrier (text for bytes or the other way round) is refused.
        const QVariant other = type == QMetaType::QString ? QVariant(getZip(text)) : QVariant(text);
        QVERIFY(!identityText(f, other).has_value());
        QVERIFY(!identityMatches(f, other, day));
    }

    void sqlIdentityWithCredentials()
    {
        const QDate day(2024, 3, 5);
        const QString id = getIDWeb(day) + "&&__" + "login" + "|_|" + "senha";
        const QVariant arg = identityArgument(IdentityForm::WebIdPacked, id);
        QCOMPARE(identityText(IdentityForm::WebIdPacked, arg).value_or(QString()), id);
        QVERIFY(identityMatches(IdentityForm::WebIdPacked, arg, day));
        QVERIFY(!identityArgument(IdentityForm::None, day).isValid());
    }
};

QTEST_GUILESS_MAIN(TstPacking)
#include "tst_packing.moc"
