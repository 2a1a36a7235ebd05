// The integration file and the amount a calling program hands over.
#include "shell/IntegrationFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zx;

class TstIntegrationFile : public QObject {
    Q_OBJECT
private slots:
    void presetFromArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("preset");
        QTest::newRow("cents") << "1234"
                               << "12,34";
        QTest::newRow("one cent") << "1"
                                  << "0,01";
        QTest::newRow("ten cents") << "10"
                                   << "0,10";
        QTest::newRow("one real") << "100"
                                  << "1,00";
        QTest::newRow("leading zeros") << "000150"
                                       << "1,50";
        QTest::newRow("large") << "123456789"
                               << "1234567,89";
        QTest::newRow("with comma: its digits") << "12,5"
                                                << "1,25";
        QTest::newRow("blanks around") << " 1234 "
                                       << "12,34";
        QTest::newRow("zero") << "0"
                              << "";
        QTest::newRow("negative") << "-500"
                                  << "";
        QTest::newRow("letters") << "ABC"
                                 << "";
        QTest::newRow("digits and letters") << "12AB"
                                            << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("console run") << "NF_TQB"
                                     << "";
    }
    void presetFromArgument()
    {
        QFETCH(QString, argument);
        QFETCH(QString, preset);
        QCOMPARE(integration::presetFromArgument(argument), preset);
    }

    void linesPaddedTo48()
    {
        const QString longLine(60, QLatin1Char('X'));
        const QStringList lines
            = integration::fileLines("2 NAO AUTORIZADA", { "", "Cartão 123", longLine });
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("2 NAO AUTORIZADA") + QString(32, ' '));
        QCOMPARE(lines.at(1), QString(48, ' '));
        QCOMPARE(lines.at(2).size(), 48);
        QCOMPARE(lines.at(3), longLine);
    }

    void writtenInWindows1252()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("int.txt");
        QVERIFY(integration::write(path, { "Cartão", "x" }));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Cart\xE3o\r\nx\r\n"));
        f.close();
        // Replaced, not appended.
        QVERIFY(integration::write(path, { "y" }));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("y\r\n"));
        QVERIFY(!integration::write(dir.filePath("missing/int.txt"), { "y" }));
    }
};

QTEST_MAIN(TstIntegrationFile)
#include "tst_integrationfile.moc"
