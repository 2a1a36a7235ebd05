// Text documents: line formats, ESC/P bytes of a page range, the printer
// port and the report data file.
#include "common/core/Cp1252.h"
#include "platform/fakes/FakePlatform.h"
#include "printing/EscpWriter.h"
#include "printing/PrinterPort.h"
#include "printing/ReportDataFile.h"
#include "printing/TextFormat.h"
#include "printing/TextPrintJob.h"

#include <QFile>
#include <QTest>

using namespace zx;

namespace {
QByteArray esc(int mode)
{
    return QByteArray("\x1b!") + char(mode);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Three pages of two lines each, marker rows included.
TextDocument threePages()
{
    TextDocument d;
    for (int p = 1; p <= 3; ++p) {
        d.append(TextDocument::markerText(p), textformat::kReceiptLine);
        d.append(QStringLiteral("P%1 L1").arg(p), QStringLiteral("|1-10|10|0|"));
        d.append(QStringLiteral("P%1 L2").arg(p), QStringLiteral("|1-10|10|0|"));
    }
    return d;
}

QByteArray line(const char *text)
{
    return esc(0) + text + "\r\n";
}
} // namespace

class TstTextPrint : public QObject {
    Q_OBJECT
private slots:
    void lineFormat_data();
    void lineFormat();
    void lineBytes_data();
    void lineBytes();
    void pageRange_data();
    void pageRange();
    void markers();
    void tabbedDocument();
    void alinhCampo_data();
    void alinhCampo();
    void portPaths_data();
    void portPaths();
    void fileIsReplaced();
    void queueSpoolsThroughLp();
    void portErrors();
    void reportDataFile();
};

void TstTextPrint::lineFormat_data()
{
    QTest::addColumn<QString>("fmt");
    QTest::addColumn<QList<FormatSegment>>("segments");
    QTest::newRow("receipt") << "|1-60|17|0|" << QList<FormatSegment> { { 1, 60, 17, 0 } };
    QTest::newRow("two") << "|1-20|10|8|21-60|17|0|"
                         << QList<FormatSegment> { { 1, 20, 10, 8 }, { 21, 60, 17, 0 } };
    QTest::newRow("no leading bar") << "1-5|12|64|" << QList<FormatSegment> { { 1, 5, 12, 64 } };
    QTest::newRow("empty") << "" << QList<FormatSegment> {};
    QTest::newRow("garbage skipped")
        << "|x-3|10|0|4-9|5|0|" << QList<FormatSegment> { { 4, 9, 5, 0 } };
    QTest::newRow("incomplete tail")
        << "|1-3|10|0|4-9|5" << QList<FormatSegment> { { 1, 3, 10, 0 } };
}

void TstTextPrint::lineFormat()
{
    QFETCH(QString, fmt);
    QFETCH(QList<FormatSegment>, segments);
    QCOMPARE(textformat::parse(fmt), segments);
    if (!segments.isEmpty())
        QCOMPARE(textformat::parse(textformat::write(segments)), segments);
}

void TstTextPrint::lineBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fmt");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("receipt line, accents folded")
        << QStringLiteral("Autorização Nº 5 à vista") << textformat::kReceiptLine
        << esc(4) + cp1252::encode(QStringLiteral("Autorizacao Nº 5 a vista")) + "\r\n";
    QTest::newRow("cut at column 60") << QString(70, QLatin1Char('x')) << textformat::kReceiptLine
                                      << esc(4) + QByteArray(60, 'x') + "\r\n";
    QTest::newRow("empty line") << QString() << textformat::kReceiptLine << esc(4) + "\r\n";
    QTest::newRow("two segments") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTuvwxyz")
                                  << QStringLiteral("|1-20|10|8|21-60|17|0|")
                                  << esc(8) + "ABCDEFGHIJKLMNOPQRST" + esc(4) + "uvwxyz\r\n";
    QTest::newRow("pitch 5 underlined")
        << QStringLiteral("T") << QStringLiteral("|1-1|5|128|") << esc(160) + "T\r\n";
    QTest::newRow("pitch 12 italic")
        << QStringLiteral("T") << QStringLiteral("|1-1|12|64|") << esc(65) + "T\r\n";
    QTest::newRow("pitch 20") << QStringLiteral("T") << QStringLiteral("|1-1|20|0|")
                              << esc(5) + "T\r\n";
    QTest::newRow("other pitch is its own mode")
        << QStringLiteral("T") << QStringLiteral("|1-1|3|0|") << esc(3) + "T\r\n";
    QTest::newRow("segment past the text")
        << QStringLiteral("abc") << QStringLiteral("|1-2|10|0|5-9|17|0|")
        << esc(0) + "ab" + esc(4) + "\r\n";
    QTest::newRow("no format prints the text")
        << QStringLiteral("plain") << QString() << QByteArray("plain\r\n");
}

void TstTextPrint::lineBytes()
{
    QFETCH(QString, text);
    QFETCH(QString, fmt);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EscpWriter::lineBytes({ text, fmt }), bytes);
}

void TstTextPrint::pageRange_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("finalFeed");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray p1 = line("P1 L1") + line("P1 L2");
    const QByteArray p2 = line("P2 L1") + line("P2 L2");
    const QByteArray p3 = line("P3 L1") + line("P3 L2");
    QTest::newRow("all") << 1 << 3 << 1000 << false << p1 + "\f" + p2 + "\f" + p3;
    QTest::newRow("all, final feed") << 1 << 3 << 1000 << true << p1 + "\f" + p2 + "\f" + p3 + "\f";
    QTest::newRow("middle page") << 2 << 2 << 1000 << false << p2;
    QTest::newRow("middle page, final feed") << 2 << 2 << 1000 << true << p2 + "\f";
    QTest::newRow("two to three") << 2 << 3 << 1000 << false << p2 + "\f" + p3;
    QTest::newRow("clamped") << -4 << 99 << 1000 << false << p1 + "\f" + p2 + "\f" + p3;
    QTest::newRow("line limit on the last page")
        << 1 << 2 << 1 << false << p1 + "\f" + line("P2 L1");
    QTest::newRow("empty range") << 3 << 2 << 1000 << true << QByteArray();
}

void TstTextPrint::pageRange()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, limit);
    QFETCH(bool, finalFeed);
    QFETCH(QByteArray, bytes);
    EscpWriter w;
    int rows = 0;
    w.afterRow = [&] { ++rows; };
    QCOMPARE(w.render(threePages(), start, end, { limit, finalFeed }), bytes);
    QVERIFY(rows > 0 || bytes.isEmpty());
}

void TstTextPrint::markers()
{
    TextDocument d = threePages();
    QCOMPARE(d.totalPages(), 3);
    QCOMPARE(d.pageAt(4), 2);
    QCOMPARE(d.markerRow(3), 6);
    QCOMPARE(TextDocument::markerPage(QStringLiteral("  PAGINA ATUAL: 012  ")), 12);
    QCOMPARE(TextDocument::markerPage(QStringLiteral("PAGINA ATUAL: abc")), 1);

    // A document that does not start with a marker is one page whatever the range:
    // the marker inside is neither printed nor starts a page.
    TextDocument flat;
    flat.append(QStringLiteral("A"), QStringLiteral("|1-5|10|0|"));
    flat.append(TextDocument::markerText(2), QStringLiteral("|1-5|10|0|"));
    flat.append(QStringLiteral("B"), QStringLiteral("|1-5|10|0|"));
    QCOMPARE(flat.totalPages(), 1);
    EscpWriter w;
    QCOMPARE(w.render(flat, 1, 5, {}), line("A"));
    QCOMPARE(w.render(flat, 2, 2, {}), line("A"));
}

void TstTextPrint::tabbedDocument()
{
    const TextDocument d = TextDocument::fromTabbed(
        QByteArray("|1-60|17|0|\tJos\xE9\r\n|1-60|17|0|\t\r\n|1-3|10|8|4-9|17|0|\tTOTAL 12,50\t!\n"
                   "sem tab\n"));
    QCOMPARE(d.lines,
        (QList<TextLine> { { QStringLiteral("José"), QStringLiteral("|1-60|17|0|") },
            { QString(), QStringLiteral("|1-60|17|0|") },
            { QStringLiteral("TOTAL 12,50\t!"), QStringLiteral("|1-3|10|8|4-9|17|0|") },
            { QStringLiteral("sem tab"), QString() } }));
    QCOMPARE(EscpWriter().render(d, 1, d.totalPages(), {}),
        esc(4) + "Jose\r\n" + esc(4) + "\r\n" + esc(8) + "TOT" + esc(4) + "AL 12,\r\n"
            + "sem tab\r\n");
}

void TstTextPrint::alinhCampo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::newRow("left") << "abc" << 0 << 5 << "abc  ";
    QTest::newRow("right") << "abc" << 1 << 5 << "  abc";
    QTest::newRow("centred, odd blank right") << "abc" << 2 << 8 << "  abc   ";
    QTest::newRow("cut right-aligned") << "abcdef" << 1 << 4 << "abcd";
    QTest::newRow("signature line") << QString(39, QLatin1Char('_')) << 2 << 48
                                    << QString(4, QLatin1Char(' ')) + QString(39, QLatin1Char('_'))
            + QString(5, QLatin1Char(' '));
    QTest::newRow("bad alignment") << "abc" << 3 << 5 << "";
}

void TstTextPrint::alinhCampo()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(int, width);
    QFETCH(QString, result);
    QCOMPARE(TextDocument::alinhCampo(text, alignment, width), result);
}

void TstTextPrint::portPaths_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("queue");
#ifndef Q_OS_WIN
    QTest::newRow("LPT1") << "LPT1"
                          << "/dev/lp0" << QString();
    QTest::newRow("lpt2:") << "lpt2:"
                           << "/dev/lp1" << QString();
#endif
    QTest::newRow("path") << "/tmp/recibo.prn"
                          << "/tmp/recibo.prn" << QString();
    QTest::newRow("LPT0 is a name") << "LPT0"
                                    << "LPT0" << QString();
    QTest::newRow("queue") << "lp:Epson LX" << QString() << "Epson LX";
}

void TstTextPrint::portPaths()
{
    QFETCH(QString, port);
    QFETCH(QString, path);
    QFETCH(QString, queue);
    QCOMPARE(PrinterPort::devicePath(port), path);
    QCOMPARE(PrinterPort::queueName(port), queue);
}

void TstTextPrint::fileIsReplaced()
{
    FakePlatform fp;
    const QString path = fp.root() + QStringLiteral("/porta.prn");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'z'));
    old.close();
    TextDocument d;
    d.append(QStringLiteral("Olá"), textformat::kReceiptLine);
    QCOMPARE(TextPrintJob::printAndReport(d, 1, 1, path, {}), TextPrintJob::Result::Printed);
    QCOMPARE(readFile(path), esc(4) + "Ola\r\n");
    QVERIFY(fp.dialogs->messages.isEmpty());
}

void TstTextPrint::queueSpoolsThroughLp()
{
    FakePlatform fp;
    TextDocument d;
    d.append(QStringLiteral("X"), textformat::kReceiptLine);
    QCOMPARE(TextPrintJob::printAndReport(d, 1, 1, QStringLiteral("lp:Epson; rm -rf ~"), {}),
        TextPrintJob::Result::Printed);
    QCOMPARE(fp.processes->started.size(), 1);
    const FakeProcesses::Started s = fp.processes->started.first();
    QCOMPARE(s.program, QStringLiteral("/bin/sh"));
    QCOMPARE(s.arguments.size(), 5);
    QCOMPARE(s.arguments.at(1), QStringLiteral("lp -d \"$1\" -o raw -- \"$2\"; rm -f -- \"$2\""));
    // The queue name travels as a parameter, never inside the script.
    QCOMPARE(s.arguments.at(3), QStringLiteral("Epson; rm -rf ~"));
    const QString spooled = s.arguments.at(4);
    QCOMPARE(readFile(spooled), esc(4) + "X\r\n");
    QFile::remove(spooled);

    // lp cannot be started: the spool file goes and the print fails.
    fp.processes->succeeds = false;
    QCOMPARE(TextPrintJob::printAndReport(d, 1, 1, QStringLiteral("lp:Epson"), {}),
        TextPrintJob::Result::WriteFailed);
    QVERIFY(!QFile::exists(fp.processes->started.last().arguments.at(4)));
    QCOMPARE(fp.dialogs->lastText(), QStringLiteral("Erro ao Tentar Imprimir!!!"));
}

void TstTextPrint::portErrors()
{
    FakePlatform fp;
    TextDocument d;
    d.append(QStringLiteral("X"), textformat::kReceiptLine);
    QCOMPARE(
        TextPrintJob::printAndReport(d, 1, 1, fp.root() + QStringLiteral("/no/such/dir/p"), {}),
        TextPrintJob::Result::PortFailed);
    QCOMPARE(fp.dialogs->messages.size(), 1);
    QCOMPARE(fp.dialogs->messages.first().text,
        QStringLiteral("Erro ao tentar conectar à impressora!!!"));
    QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
#ifdef Q_OS_LINUX
    // A device that refuses every byte.
    QCOMPARE(TextPrintJob::printAndReport(d, 1, 1, QStringLiteral("/dev/full"), {}),
        TextPrintJob::Result::WriteFailed);
    QCOMPARE(fp.dialogs->lastText(), QStringLiteral("Erro ao Tentar Imprimir!!!"));
#endif
}

void TstTextPrint::reportDataFile()
{
    FakePlatform fp;
    QCOMPARE(ReportDataFile::defaultPath(), fp.root() + QStringLiteral("/rel.txt"));
    QCOMPARE(ReportDataFile::programFolderPath(), fp.programFolder() + QStringLiteral("/Rel.txt"));
    {
        ReportDataFile f;
        f.addRecord({ QStringLiteral("a"), QStringLiteral("b") });
        f.addRecord({ QStringLiteral("c"), QStringLiteral("d") });
        f.addRecord({ QStringLiteral("e"), QStringLiteral("f") });
        QVERIFY(f.save());
    }
    ReportDataFile f;
    f.addRecord({ QStringLiteral("10/12/2026"), QStringLiteral("1.234,56"),
        QStringLiteral("JOSÉ|DA\r\nSILVA"), QString() });
    QVERIFY(f.save());
    QCOMPARE(readFile(fp.root() + QStringLiteral("/rel.txt")),
        QByteArray("10/12/2026|1.234,56|JOS\xC9 DA  SILVA|\r\n"));
    ReportDataFile bad(fp.root() + QStringLiteral("/missing/rel.txt"));
    QVERIFY(!bad.save());
    QVERIFY(!bad.errorString().isEmpty());
}

QTEST_MAIN(TstTextPrint)
#include "tst_textprint.moc"
