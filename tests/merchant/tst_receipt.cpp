// Sale receipts: the text receipt as the printer port receives it, the integration
// file, and the two page layouts.
#include "TestSupport.h"
#include "common/core/Cp1252.h"
#include "config/IniFile.h"
#include "merchant/ReceiptReports.h"
#include "merchant/ReceiptText.h"
#include "merchant/imprimeAutorizacao.h"
#include "platform/fakes/FakePlatform.h"
#include "printing/ReportPreview.h"
#include "printing/TFrmPreviewDOS.h"
#include "printing/TextDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace zx;

namespace {

ReceiptSale sale()
{
    ReceiptSale s;
    s.autorizacao = QStringLiteral("123456");
    s.vencimento = QStringLiteral("9/3/2026");
    s.hora = QStringLiteral("14:05:06");
    s.cartao = QStringLiteral("12345678");
    s.valor = QStringLiteral("1.234,50");
    s.parcelas = QStringLiteral("3");
    s.instituicao = QStringLiteral("PREFEITURA MUNICIPAL DE SÃO JOSÉ");
    s.funcionario = QStringLiteral("JOÃO DA CONCEIÇÃO");
    s.dependente = QStringLiteral("MARIA");
    s.razaoSocial = QStringLiteral("COMÉRCIO DE ALIMENTOS LTDA");
    s.fantasia = QStringLiteral("MERCADO BOM PREÇO");
    return s;
}

ReceiptSettings settings(int tipo, int copias, bool visual = false)
{
    ReceiptSettings c;
    c.tipo = tipo;
    c.copias = copias;
    c.visual = visual;
    return c;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Compares with tests/merchant/golden/<name>; ZX_UPDATE_GOLDEN=1 rewrites it.
void golden(const QByteArray &actual, const QString &name)
{
    // The test's own source folder (the support library is built without it).
    const QString path = QStringLiteral(ZX_SOURCE_DIR "/tests/merchant/golden/") + name;
    if (zxtest::updateGolden()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(actual);
        return;
    }
    const QByteArray expected = readFile(path);
    if (actual != expected) {
        const QList<QByteArray> a = actual.split('\n');
        const QList<QByteArray> e = expected.split('\n');
        for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
            const QByteArray la = a.value(i), le = e.value(i);
            if (la != le)
                QFAIL(qPrintable(QStringLiteral("%1 line %2:\n actual   %3\n expected %4")
                                     .arg(name)
                                     .arg(i + 1)
                                     .arg(QString::fromLatin1(la.toHex(' ')),
                                         QString::fromLatin1(le.toHex(' ')))));
        }
    }
}

QString portFile(const FakePlatform &fp)
{
    const QString port = fp.root() + QStringLiteral("/matricial.prn");
    IniFile(fp.root() + QStringLiteral("/kv.ini"))
        .writeString(QStringLiteral("SISTEMA"), QStringLiteral("PORTA"), port);
    return port;
}

// What the port should receive for these lines: ESC ! 4, the line without accents, CR LF.
QByteArray escp(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += QByteArray("\x1b!\x04") + cp1252::encode(l.left(60)) + "\r\n";
    return out;
}

} // namespace

class TstReceipt : public QObject {
    Q_OBJECT
private slots:
    void textLines();
    void printedToPort_data();
    void printedToPort();
    void shownPreviewPrintsTheSame();
    void integrationFile();
    void notFound();
    void grafica1();
    void grafica2CopiesFile();
    void saleData_data();
    void saleData();
};

void TstReceipt::textLines()
{
    const QString sep(48, QLatin1Char('-'));
    const QStringList l = ReceiptText::lines(sale(), 2, false, 5);
    const QStringList copy1Head { QStringLiteral("ZENTRIX - COMPROVANTE DE VENDA"), QString(),
        QStringLiteral("Empresa:") + QString(17, QLatin1Char(' '))
            + QStringLiteral("1 Via - Estabelecimento"),
        QStringLiteral("PREFEITURA MUNICIPAL DE SÃO JOSÉ"), QStringLiteral("Autorizacao: 123456"),
        QStringLiteral("Data/Hora..: 09/03/2026 14:05:06"), sep,
        QStringLiteral("Estabelecimento Credenciado:"),
        QStringLiteral("COMÉRCIO DE ALIMENTOS LTDA"), QStringLiteral("MERCADO BOM PREÇO"), sep,
        QStringLiteral("Identificacao do Funcionario:"),
        QStringLiteral("Nome..: JOÃO DA CONCEIÇÃO"), QStringLiteral("Dep...: MARIA"),
        QStringLiteral("Cartao: 001 234 567 8"), sep, QStringLiteral("Dados da venda:"),
        QStringLiteral("Data..: 09/03/2026"), QStringLiteral("Valor.: 1.234,50"),
        QStringLiteral("Parc. : 3"), QString() };
    const QStringList block { QStringLiteral("Autorizo o Estabelecimento  acima  especificado,"),
        QStringLiteral("a receber  do  meu  Empregador   o  valor  dessa"),
        QStringLiteral("AUTORIZACAO,   que  sera  descontada  dos   meus"),
        QStringLiteral("proventos,   conforme  contrato  firmado  com  a"),
        QStringLiteral("a Empresa."), QString(), QString(), QString(),
        QStringLiteral("    ") + QString(39, QLatin1Char('_')) + QStringLiteral("     "),
        QString(19, QLatin1Char(' ')) + QStringLiteral("Assinatura")
            + QString(19, QLatin1Char(' ')),
        QStringLiteral("    RG:"), QString() };
    QStringList copy2Head = copy1Head;
    copy2Head[2] = QStringLiteral("Empresa:") + QString(25, QLatin1Char(' '))
        + QStringLiteral("2 Via - Usuario");
    const QStringList expected = copy1Head + block + QStringList { sep, QString() } + copy2Head
        + QStringList { sep, QString() } + QStringList(5, QString());
    QCOMPARE(l, expected);
    for (const QString &line : l)
        QVERIFY2(line.size() <= 48, qPrintable(line));

    // Three copies: no copy label, the block on the first only, feed lines as set.
    const QStringList three = ReceiptText::lines(sale(), 3, false, 2);
    QCOMPARE(three.count(QStringLiteral("ZENTRIX - COMPROVANTE DE VENDA")), 3);
    QCOMPARE(three.count(QStringLiteral("Empresa:").leftJustified(48)), 3);
    QCOMPARE(three.count(block.at(0)), 1);
    QCOMPARE(three.indexOf(block.at(0)), 21);
    QCOMPARE(three.mid(three.size() - 4), (QStringList { sep, QString(), QString(), QString() }));

    // A reprint: one copy whatever the station's copies, marked twice, with the block.
    const QStringList re = ReceiptText::lines(sale(), 2, true, 0);
    QCOMPARE(re.count(QStringLiteral("ZENTRIX - COMPROVANTE DE VENDA")), 1);
    QCOMPARE(re.at(2),
        QStringLiteral("Empresa:") + QString(19, QLatin1Char(' ')) + ReceiptText::kReimpressao);
    QCOMPARE(re.at(18),
        QStringLiteral("Valor.: 1.234,50") + QString(11, QLatin1Char(' '))
            + ReceiptText::kReimpressao);
    QCOMPARE(re.at(18).size(), 48);
    QCOMPARE(re.count(block.at(0)), 1);
    QCOMPARE(re.last(), QString());
    QCOMPARE(re.at(re.size() - 2), sep);
}

void TstReceipt::printedToPort_data()
{
    QTest::addColumn<int>("copias");
    QTest::addColumn<bool>("reimpressao");
    QTest::addColumn<QString>("goldenName");
    QTest::newRow("two copies") << 2 << false << "receipt_two_copies.prn";
    QTest::newRow("reprint") << 2 << true << "receipt_reprint.prn";
    QTest::newRow("three copies") << 3 << false << "receipt_three_copies.prn";
}

void TstReceipt::printedToPort()
{
    QFETCH(int, copias);
    QFETCH(bool, reimpressao);
    QFETCH(QString, goldenName);
    FakePlatform fp;
    const QString port = portFile(fp);
    // Not shown (VISUAL other than "1"): straight to the port, no window, no dialog.
    QVERIFY(imprimeAutorizacao(QStringLiteral("123456"), sale(), reimpressao, QString(),
        settings(ReceiptSettings::Matricial, copias)));
    QVERIFY(fp.dialogs->modalForms.isEmpty());
    QVERIFY(fp.dialogs->messages.isEmpty());
    const QByteArray bytes = readFile(port);
    // The lines as built, accents folded, one page without a final form feed.
    QStringList folded;
    for (const QString &l : ReceiptText::lines(sale(), copias, reimpressao, 5))
        folded << removeAcento(l);
    QCOMPARE(bytes, escp(folded));
    QVERIFY(!bytes.contains('\f'));
    QVERIFY(bytes.endsWith(QByteArray("\x1b!\x04\r\n").repeated(6)));
    golden(bytes, goldenName);
}

void TstReceipt::shownPreviewPrintsTheSame()
{
    FakePlatform fp;
    const QString port = portFile(fp);
    QStringList rows;
    fp.dialogs->formHandlers.push_back([&](QDialog &d) {
        auto *p = qobject_cast<TFrmPreviewDOS *>(&d);
        if (!p)
            return int(QDialog::Rejected);
        for (const TextLine &l : p->documento().lines)
            rows << l.format;
        p->BtnImprimirClick(); // the print dialog answers with its defaults
        return int(QDialog::Accepted);
    });
    fp.dialogs->defaultFormHandler = [](QDialog &) { return int(QDialog::Accepted); };
    QVERIFY(imprimeAutorizacao(QStringLiteral("123456"), sale(), false, QString(),
        settings(ReceiptSettings::Matricial, 2, true)));
    QCOMPARE(fp.dialogs->modalForms,
        (QStringList { QStringLiteral("FrmPreviewDOS"), QStringLiteral("FrmImprimir") }));
    // Every row, blank ones included, carries the receipt format; no spare row.
    QCOMPARE(rows.size(), ReceiptText::lines(sale(), 2, false, 5).size());
    QCOMPARE(rows.count(QStringLiteral("|1-60|17|0|")), rows.size());
    golden(readFile(port), QStringLiteral("receipt_two_copies.prn"));
}

void TstReceipt::integrationFile()
{
    FakePlatform fp;
    const QString port = portFile(fp);
    const QString path = fp.programFolder() + QStringLiteral("/integra.txt");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    // Whatever the printing kind and the copies, the text receipt goes to the file.
    QVERIFY(imprimeAutorizacao(QStringLiteral("123456"), sale(), false, path,
        settings(ReceiptSettings::Grafica1, 2, true)));
    QVERIFY(fp.dialogs->modalForms.isEmpty());
    QVERIFY(!QFile::exists(port));
    const QByteArray bytes = readFile(path);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(
        lines.first(), QByteArray("1 AUTORIZACAO CONCEDIDA NR 123456").leftJustified(48) + '\r');
    QCOMPARE(lines.last(), QByteArray()); // ends with CR LF
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QCOMPARE(lines.at(i).size(), 49);
    // Two copies and no feed lines.
    QCOMPARE(lines.size() - 2, ReceiptText::lines(sale(), 2, false, 0).size());
    QVERIFY(lines.at(lines.size() - 2).startsWith(QByteArray(48, ' ')));
    QVERIFY(lines.at(lines.size() - 3).startsWith(QByteArray(48, '-')));
    QVERIFY(bytes.contains("S\xC3O JOS\xC9")); // Windows-1252, accents kept
    golden(bytes, QStringLiteral("integration_two_copies.txt"));

    // A line longer than 48 is written whole.
    ReceiptSale longer = sale();
    longer.instituicao = QString(60, QLatin1Char('I'));
    QVERIFY(imprimeAutorizacao(
        QStringLiteral("9"), longer, true, path, settings(ReceiptSettings::Matricial, 2)));
    QVERIFY(readFile(path).contains(QByteArray(QByteArray(60, 'I') + "\r\n")));

    // A file that cannot be written: the error is shown, nothing printed.
    fp.dialogs->clear();
    QVERIFY(!imprimeAutorizacao(QStringLiteral("9"), sale(), false,
        fp.root() + QStringLiteral("/no/dir/int.txt"), settings(ReceiptSettings::Matricial, 2)));
    QCOMPARE(fp.dialogs->messages.size(), 1);
    QVERIFY(fp.dialogs->lastText().startsWith(QStringLiteral("Erro de entrada/saída")));
    QVERIFY(!QFile::exists(port));
}

void TstReceipt::notFound()
{
    FakePlatform fp;
    const QString port = portFile(fp);
    const QString path = fp.programFolder() + QStringLiteral("/integra.txt");
    QVERIFY(!imprimeAutorizacao(
        QStringLiteral("777"), std::nullopt, false, path, settings(ReceiptSettings::Matricial, 2)));
    QCOMPARE(fp.dialogs->texts(), QStringList { QStringLiteral("Autorização não encontrada!!!") });
    // The calling program still finds the first line.
    QCOMPARE(
        readFile(path), QByteArray("1 AUTORIZACAO CONCEDIDA NR 777").leftJustified(48) + "\r\n");
    QVERIFY(!imprimeAutorizacao(QStringLiteral("777"), std::nullopt, false, QString(),
        settings(ReceiptSettings::Matricial, 2)));
    QVERIFY(!QFile::exists(port));
}

void TstReceipt::grafica1()
{
    FakePlatform fp;
    const ReceiptSale s = sale();
    const QStringList fields { s.instituicao, QStringLiteral("123456"),
        QStringLiteral("09/03/2026 14:05:06"), s.razaoSocial, s.fantasia, s.funcionario,
        s.dependente, QStringLiteral("Cartão:"), QStringLiteral("001 234 567 8"),
        QStringLiteral("09/03/2026"), QStringLiteral("14:05:06"), QStringLiteral("1.234,50"),
        QStringLiteral("3"), ReceiptReports::kDeclaracao, QStringLiteral("Assinatura"),
        QStringLiteral("RG.:") };
    for (bool reimpressao : { false, true }) {
        const ReportDocument doc = ReceiptReports::autoriz(s, reimpressao).build();
        QCOMPARE(doc.pageCount(), 1);
        const QStringList texts = doc.texts(0);
        for (const QString &f : fields)
            QVERIFY2(texts.count(f) >= 2, qPrintable(f)); // on both copies
        QCOMPARE(texts.count(QStringLiteral("1ª Via - Estabelecimento")), reimpressao ? 0 : 1);
        QCOMPARE(texts.count(QStringLiteral("2ª Via - Usuário")), reimpressao ? 0 : 1);
        QCOMPARE(texts.count(QStringLiteral("REIMPRESSÃO")), reimpressao ? 2 : 0);
        // The copies sit side by side.
        QVERIFY(doc.textOf(QStringLiteral("lblNome2")).size() > 0);
        const QString pdf = fp.root() + QStringLiteral("/grafica1.pdf");
        QVERIFY(doc.savePdf(pdf));
        QVERIFY(readFile(pdf).startsWith("%PDF-"));
        QVERIFY(QFileInfo(pdf).size() > 1000);
    }

    // Through the operation: the report preview, one page.
    int pages = 0;
    QStringList texts;
    fp.dialogs->formHandlers.push_back([&](QDialog &d) {
        if (auto *p = qobject_cast<ReportPreview *>(&d)) {
            pages = p->document().pageCount();
            texts = p->document().allTexts();
        }
        return int(QDialog::Accepted);
    });
    QVERIFY(imprimeAutorizacao(
        QStringLiteral("123456"), s, false, QString(), settings(ReceiptSettings::Grafica1, 5)));
    QCOMPARE(fp.dialogs->modalForms, QStringList { QStringLiteral("ReportPreview") });
    QCOMPARE(pages, 1);
    QCOMPARE(texts.count(s.funcionario), 2);
    QVERIFY(!QFile::exists(ReceiptReports::copiesFilePath()));
}

void TstReceipt::grafica2CopiesFile()
{
    FakePlatform fp;
    const QString copies = ReceiptReports::copiesFilePath();
    QCOMPARE(copies, fp.programFolder() + QStringLiteral("/autAux.txt"));
    int pages = 0;
    QStringList texts;
    fp.dialogs->defaultFormHandler = [&](QDialog &d) {
        if (auto *p = qobject_cast<ReportPreview *>(&d)) {
            pages = p->document().pageCount();
            texts = p->document().allTexts();
        }
        return int(QDialog::Accepted);
    };
    QVERIFY(imprimeAutorizacao(QStringLiteral("123456"), sale(), false, QString(),
        settings(ReceiptSettings::Grafica2, 3)));
    QCOMPARE(readFile(copies),
        QByteArray("1\xAA Via Estabelecimento\r\n2\xAA Via Usu\xE1rio\r\n"
                   "3\xAA Via Estabelecimento\r\n"));
    // One band per copy, two bands to a page.
    QCOMPARE(pages, 2);
    QCOMPARE(texts.count(QStringLiteral("1ª Via Estabelecimento")), 1);
    QCOMPARE(texts.count(QStringLiteral("2ª Via Usuário")), 1);
    QCOMPARE(texts.count(QStringLiteral("3ª Via Estabelecimento")), 1);
    QCOMPARE(texts.count(QStringLiteral("JOÃO DA CONCEIÇÃO")), 3);
    QCOMPARE(texts.count(QStringLiteral("Depend.:")), 3);
    QCOMPARE(texts.count(QStringLiteral("REIMPRESSÃO")), 0);

    // A file with as many lines as copies is the station's own: kept as it is.
    QFile own(copies);
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("Via da loja\r\nVia do cliente\r\nVia do arquivo");
    own.close();
    QVERIFY(ReceiptReports::ensureCopiesFile(3));
    QCOMPARE(readFile(copies), QByteArray("Via da loja\r\nVia do cliente\r\nVia do arquivo"));
    // Another count: rewritten.
    QVERIFY(ReceiptReports::ensureCopiesFile(1));
    QCOMPARE(readFile(copies), QByteArray("1\xAA Via Estabelecimento\r\n"));

    // A reprint: the copy captions give way to "REIMPRESSÃO"; every field is there.
    const ReceiptSale s = sale();
    const ReportDocument doc = ReceiptReports::grafMatric(s, true, copies).build();
    QCOMPARE(doc.pageCount(), 1);
    const QStringList t = doc.texts(0);
    QVERIFY(!t.contains(QStringLiteral("1ª Via Estabelecimento")));
    QCOMPARE(t.count(QStringLiteral("REIMPRESSÃO")), 1);
    for (const QString &f : { s.instituicao, s.autorizacao, QStringLiteral("09/03/2026 14:05:06"),
             s.razaoSocial, s.fantasia, s.funcionario, s.dependente, QStringLiteral("Cartão:"),
             QStringLiteral("001 234 567 8"), QStringLiteral("09/03/2026"), s.hora, s.valor,
             QStringLiteral("3"), ReceiptReports::kDeclaracao, QStringLiteral("Assinatura"),
             QStringLiteral("RG.:") })
        QVERIFY2(t.contains(f), qPrintable(f));
    const QString pdf = fp.root() + QStringLiteral("/grafica2.pdf");
    QVERIFY(doc.savePdf(pdf));
    QVERIFY(readFile(pdf).startsWith("%PDF-"));
}

void TstReceipt::saleData_data()
{
    QTest::addColumn<QString>("venc");
    QTest::addColumn<QString>("parc");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("parcelas");
    QTest::newRow("as stored") << "09/03/2026"
                               << "2"
                               << "09/03/2026" << 2;
    QTest::newRow("short date") << "9/3/2026"
                                << ""
                                << "09/03/2026" << 1;
    QTest::newRow("two-digit year") << "09/03/26"
                                    << "x"
                                    << "09/03/2026" << 1;
    QTest::newRow("unreadable date") << "ontem"
                                     << "0"
                                     << "ontem" << 1;
}

void TstReceipt::saleData()
{
    QFETCH(QString, venc);
    QFETCH(QString, parc);
    QFETCH(QString, data);
    QFETCH(int, parcelas);
    ReceiptSale s;
    s.vencimento = venc;
    s.parcelas = parc;
    QCOMPARE(s.dataTexto(), data);
    QCOMPARE(s.parcelasNumero(), parcelas);
}

QTEST_MAIN(TstReceipt)
#include "tst_receipt.moc"
