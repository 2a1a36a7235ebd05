#include "common/core/Cp1252.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/TextRules.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace zx::protocol;

namespace {

// "A=1;B=2|A=3;B=4": rows by '|', fields by ';'.
QString dump(const TblTemp &table)
{
    QStringList rows;
    for (const TRegist &r : table) {
        QStringList fields;
        for (qsizetype i = 0; i < r.campos.size(); ++i)
            fields << r.campos.at(i) + QLatin1Char('=') + r.valores.value(i);
        rows << fields.join(QLatin1Char(';'));
    }
    return rows.join(QLatin1Char('|'));
}

const QString kDecl = QStringLiteral("<?xml version='1.0' standalone='yes'?>");

} // namespace

class TstRecordList : public QObject {
    Q_OBJECT
private slots:
    void requestBytes_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no rows")
            << QStringList { "NUMER_CARTA", "CNPJ_FORNE" } << QList<QStringList> {}
            << QByteArray("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n</DATASET>\r\n");
        // Values go out as they are: no trimming, no escaping, Windows-1252.
        QTest::newRow("loyalty statement")
            << QStringList { "LOGIN_USER", "SENHA_USER", "CNPJ_INSTI", "DATA1", "DATA2" }
            << QList<QStringList> { { " joão ", "a&b", "12345678000195", "01/03/2024",
                   "31/03/2024" } }
            << QByteArray("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n<REGISTRO>\r\n"
                          "<LOGIN_USER> jo\xE3o </LOGIN_USER>\r\n<SENHA_USER>a&b</SENHA_USER>\r\n"
                          "<CNPJ_INSTI>12345678000195</CNPJ_INSTI>\r\n<DATA1>01/03/2024</DATA1>\r\n"
                          "<DATA2>31/03/2024</DATA2>\r\n</REGISTRO>\r\n</DATASET>\r\n");
        QTest::newRow("short and long rows")
            << QStringList { "A", "B" } << QList<QStringList> { { "1" }, { "2", "3", "ignored" } }
            << QByteArray("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n<REGISTRO>\r\n"
                          "<A>1</A>\r\n<B></B>\r\n</REGISTRO>\r\n<REGISTRO>\r\n<A>2</A>\r\n"
                          "<B>3</B>\r\n</REGISTRO>\r\n</DATASET>\r\n");
    }
    void requestBytes()
    {
        QFETCH(QStringList, captions);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QByteArray, bytes);
        GridModel grid(captions);
        for (const QStringList &r : rows)
            grid.addRow(r);
        QCOMPARE(zx::cp1252::encode(recordListText(grid)), bytes);
        QCOMPARE(zx::cp1252::encode(joinLines(getXMLListV(captions, rows))), bytes);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("fields"); // -1: refused
        QTest::addColumn<QString>("rows");
        const QString d = kDecl;
        QTest::newRow("two rows") << d
                + "<DATASET><REGISTRO><A>1</A><B>x</B></REGISTRO>"
                  "<REGISTRO><A>2</A><B>y</B></REGISTRO></DATASET>"
                                  << 2 << "A=1;B=x|A=2;B=y";
        QTest::newRow("root and row names not examined") << d
                + "\r\n<NewDataSet>\r\n  <Table>\r\n    <A>1</A>\r\n  </Table>\r\n</NewDataSet>\r\n"
                                                         << 1 << "A=1";
        QTest::newRow("no rows") << d + "<DATASET></DATASET>" << 0 << "";
        QTest::newRow("no rows, empty root") << d + "<DATASET/>" << 0 << "";
        QTest::newRow("second row named differently")
            << d + "<D><R><A>1</A><B>2</B></R><R><X>3</X><Y>4</Y></R></D>" << 2
            << "A=1;B=2|A=3;B=4";
        QTest::newRow("missing field reads empty")
            << d + "<D><R><A>1</A><B>2</B></R><R><A>3</A></R></D>" << 2 << "A=1;B=2|A=3;B=";
        QTest::newRow("extra field dropped")
            << d + "<D><R><A>1</A></R><R><A>2</A><B>3</B></R></D>" << 1 << "A=1|A=2";
        QTest::newRow("entity ampersand folds to E")
            << d + "<D><R><N>A &amp; B</N><M>&lt;x&gt;</M></R></D>" << 2 << "N=A E B;M=<x>";
        QTest::newRow("empty and self-closed values")
            << d + "<D><R><A></A><B/></R></D>" << 2 << "A=;B=";
        QTest::newRow("encoding declaration ignored on text")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><D><R><A>ção</A></R></D>" << 1 << "A=ção";
        QTest::newRow("raw ampersand") << d + "<D><R><N>A & B</N></R></D>" << -1 << "";
        QTest::newRow("no declaration") << "<D><R><A>1</A></R></D>" << -1 << "";
        QTest::newRow("empty text") << "" << -1 << "";
        QTest::newRow("declaration only") << d << -1 << "";
        QTest::newRow("unclosed") << d + "<D><R><A>1</A></R>" << -1 << "";
        QTest::newRow("mismatched tag") << d + "<D><R><A>1</B></R></D>" << -1 << "";
        QTest::newRow("content after root") << d + "<D></D><D></D>" << -1 << "";
        QTest::newRow("DTD with entity")
            << d + "<!DOCTYPE D [<!ENTITY e 'boom'>]><D><R><A>&e;</A></R></D>" << -1 << "";
        QTest::newRow("error text of a failed query")
            << "ERRO classe EHTTP | conexão recusada" << -1 << "";
    }
    void parse()
    {
        QFETCH(QString, reply);
        QFETCH(int, fields);
        QFETCH(QString, rows);
        // A table that already holds a row: success appends, failure leaves it alone.
        TblTemp table { TRegist { { "OLD" }, { "1" } } };
        QString error;
        const auto n = setTblTempXMLSt(reply, table, &error);
        if (fields < 0) {
            QVERIFY(!n.has_value());
            QVERIFY(!error.isEmpty());
            QCOMPARE(dump(table), QStringLiteral("OLD=1"));
        } else {
            QVERIFY2(n.has_value(), qPrintable(error));
            QCOMPARE(*n, fields);
            QCOMPARE(dump(table.mid(1)), rows);
            QCOMPARE(table.first().campos, QStringList { "OLD" });
        }
    }

    void parseBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("value"); // empty: refused
        QTest::newRow("no encoding: Windows-1252")
            << QByteArray("<?xml version='1.0' standalone='yes'?><D><R><A>\xC7\x80</A></R></D>")
            << QStringLiteral("Ç€");
        QTest::newRow("windows-1252 declared") << QByteArray(
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?><D><R><A>\xE7</A></R></D>")
                                               << QStringLiteral("ç");
        QTest::newRow("iso-8859-1 read as its superset") << QByteArray(
            "<?xml version='1.0' encoding='ISO-8859-1'?><D><R><A>\x80\xE7</A></R></D>")
                                                         << QStringLiteral("€ç");
        QTest::newRow("utf-8 declared")
            << QByteArray("<?xml version='1.0' encoding='utf-8'?><D><R><A>\xC3\xA7</A></R></D>")
            << QStringLiteral("ç");
        QTest::newRow("utf-8 byte-order mark")
            << QByteArray("\xEF\xBB\xBF<?xml version='1.0'?><D><R><A>\xC3\xA7</A></R></D>")
            << QStringLiteral("ç");
        QTest::newRow("utf-16 byte-order mark") << (QByteArray("\xFF\xFE")
            + QByteArray(
                QStringEncoder(QStringEncoder::Utf16LE)
                    .encode(QStringLiteral("<?xml version='1.0'?><D><R><A>ç</A></R></D>"))))
                                                << QStringLiteral("ç");
        QTest::newRow("utf-8 declared, invalid bytes")
            << QByteArray("<?xml version='1.0' encoding='utf-8'?><D><R><A>\xE7</A></R></D>")
            << QString();
        QTest::newRow("unsupported encoding")
            << QByteArray("<?xml version='1.0' encoding='ebcdic-cp-us'?><D/>") << QString();
    }
    void parseBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, value);
        TblTemp table;
        QString error;
        const auto n = setTblTempXMLSt(bytes, table, &error);
        if (value.isEmpty()) {
            QVERIFY(!n.has_value());
            QVERIFY(!error.isEmpty());
            QVERIFY(table.isEmpty());
        } else {
            QVERIFY2(n.has_value(), qPrintable(error));
            QCOMPARE(table.size(), 1);
            QCOMPARE(vlrRegByName(table.first(), "A"), value);
        }
    }

    void fileAndStream()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("confInsti.xml");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n<REGISTRO>\r\n"
            "<CNPJ_PESSO>1</CNPJ_PESSO>\r\n<FANTA_PESSO>Padaria S\xE3o Jo\xE3o</FANTA_PESSO>\r\n"
            "</REGISTRO>\r\n</DATASET>\r\n");
        f.close();
        TblTemp table;
        QString error;
        QCOMPARE(setTblTempXML(path, table, &error).value_or(-1), 2);
        QCOMPARE(vlrRegByName(table.first(), "FANTA_PESSO"), QStringLiteral("Padaria São João"));

        QVERIFY(!setTblTempXML(dir.filePath("missing.xml"), table, &error));
        QVERIFY(error.contains("missing.xml"));

        // A stream longer than the bound is refused before parsing.
        QByteArray big = "<?xml version='1.0'?><D>" + QByteArray(2000, ' ') + "</D>";
        QBuffer buffer(&big);
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(!setTblTempXMLSt(buffer, table, &error, 1000));
        buffer.seek(0);
        QCOMPARE(setTblTempXMLSt(buffer, table, &error, 4000).value_or(-1), 0);

        QCOMPARE(table.size(), 1);
        limpTBlTemp(table);
        QVERIFY(table.isEmpty());
    }

    void vlrRegByNameIsExact()
    {
        const TRegist row { { "NUMER_CARTA", "A", "A" }, { "123", "first", "second" } };
        QCOMPARE(vlrRegByName(row, "NUMER_CARTA"), QStringLiteral("123"));
        QCOMPARE(vlrRegByName(row, "numer_carta"), QString());
        QCOMPARE(vlrRegByName(row, "A"), QStringLiteral("first"));
        QCOMPARE(vlrRegByName(row, "MISSING"), QString());
        QCOMPARE(vlrRegByName(TRegist { { "A" }, {} }, "A"), QString());
    }

    void montRegUnicoXML_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("row"); // dump of the row; empty: none
        QTest::addColumn<bool>("failed"); // error text set
        const QString d = kDecl;
        QTest::newRow("escaped e_e comes back as &") << d + "<D><R><N>A e_e B</N></R></D>"
                                                     << "N=A & B" << false;
        QTest::newRow("raw & survives the escaping")
            << d + "<D><R><N>A & B</N><C>1</C></R><R><N>x</N></R></D>"
            << "N=A & B;C=1" << false;
        QTest::newRow("accents folded") << d + "<D><R><N>Ação</N></R></D>"
                                        << "N=Acao" << false;
        QTest::newRow("blank") << "  \r\n "
                               << "" << false;
        QTest::newRow("no rows") << d + "<D/>"
                                 << "" << false;
        QTest::newRow("not a record list") << "ERRO classe EHTTP - sem conexão"
                                           << "" << true;
    }
    void montRegUnicoXML()
    {
        QFETCH(QString, reply);
        QFETCH(QString, row);
        QFETCH(bool, failed);
        QString error;
        const auto r = zx::protocol::montRegUnicoXML(reply, &error);
        QCOMPARE(r.has_value(), !row.isEmpty());
        if (r)
            QCOMPARE(dump({ *r }), row);
        QCOMPARE(!error.isEmpty(), failed);
    }

    void montXMLListV()
    {
        const QString reply = kDecl
            + "<D><R><CARTAO>1</CARTAO><NOME>Ana</NOME></R>"
              "<R><CARTAO>2</CARTAO><NOME>Rui</NOME></R></D>";
        GridModel grid;
        QCOMPARE(zx::protocol::montXMLListV(reply, grid, false), FillResult::Filled);
        QCOMPARE(grid.captions(), (QStringList { "CARTAO", "NOME" }));
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.data(grid.index(1, 1)).toString(), QStringLiteral("Rui"));
        QCOMPARE(grid.headerData(0, Qt::Horizontal).toString(), QStringLiteral("CARTAO"));

        // Appending keeps the rows; clearing replaces them; columns stay as they were.
        QCOMPARE(zx::protocol::montXMLListV(reply, grid, false), FillResult::Filled);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(zx::protocol::montXMLListV(kDecl + "<D><R><X>9</X></R></D>", grid, true),
            FillResult::Filled);
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.captions(), (QStringList { "CARTAO", "NOME" }));
        QCOMPARE(grid.row(0), QStringList { "9" });

        // Empty and invalid replies leave the grid untouched, even with the clear flag.
        QCOMPARE(zx::protocol::montXMLListV(kDecl + "<D/>", grid, true), FillResult::Empty);
        QString error;
        QCOMPARE(zx::protocol::montXMLListV("<D><R><X>1</X></R></D>", grid, true, &error),
            FillResult::Invalid);
        QVERIFY(!error.isEmpty());
        QCOMPARE(grid.rowCount(), 1);
    }

    void ajustTextXML_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("accents, ampersand, spaces") << "  Ação  &  Cia  "
                                                    << "Acao Cia";
        QTest::newRow("all thirteen specials") << "a&§@ªº#$¨*´^~`b"
                                               << "ab";
        QTest::newRow("long run of spaces") << "a      b"
                                            << "a b";
        QTest::newRow("angle brackets untouched") << "<x>"
                                                  << "<x>";
        QTest::newRow("upper-case accents") << "ÇÃO ÉÜ"
                                            << "CAO EU";
    }
    void ajustTextXML()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(AjustTextXML(in), out);
    }

    void fmtCartao_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "1234"
                               << "000 000 123 4";
        QTest::newRow("punctuated") << "12.345.678-90"
                                    << "123 456 789 0";
        QTest::newRow("ten digits") << "0012345678"
                                    << "001 234 567 8";
        QTest::newRow("sixteen digits not cut") << "1234567890123456"
                                                << "123 456 789 012 345 6";
        QTest::newRow("empty") << ""
                               << "000 000 000 0";
    }
    void fmtCartao()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(zx::protocol::fmtCartao(typed), shown);
    }

    void ampersandConventions()
    {
        QCOMPARE(escapeAmpersands("A & B&C"), QStringLiteral("A e_e Be_eC"));
        QCOMPARE(restoreAmpersands("A e_e Be_eC"), QStringLiteral("A & B&C"));
        QCOMPARE(foldAmpersands("A & B"), QStringLiteral("A E B"));
    }
};

QTEST_GUILESS_MAIN(TstRecordList)
#include "tst_recordlist.moc"
