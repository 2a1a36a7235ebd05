// The banded report engine on a small list layout: a group on the card with its
// totals, a summary, page x of y and print date on a data file of several pages.
#include "helper_printing.h"
#include "platform/fakes/FakePlatform.h"
#include "printing/Report.h"
#include "printing/ReportDataFile.h"
#include "printing/ReportPreview.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTest>
#include <QToolBar>

using namespace zx;

namespace {

ReportElement text(const QString &t, qreal x, qreal w, bool bold = false)
{
    ReportElement e;
    e.kind = ReportElement::Text;
    e.text = t;
    e.rect = QRectF(x, 0, w, 5);
    e.font.bold = bold;
    return e;
}

ReportElement element(
    ReportElement::Kind kind, const QString &name, qreal x, qreal w, const QString &t = {})
{
    ReportElement e = text(t, x, w);
    e.kind = kind;
    e.name = name;
    return e;
}

// Cards with their purchases: header with title, run-time label, page x of y and date.
ReportLayout listLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("rptTeste");
    l.hasPipeline = true;
    l.pipeline.name = QStringLiteral("txtTeste");
    l.pipeline.fields
        = { { QStringLiteral("Cartao"), false, 10 }, { QStringLiteral("Nome"), false, 20 },
              { QStringLiteral("Data"), false, 10 }, { QStringLiteral("Valor"), true, 0 } };
    l.groups = { QStringLiteral("Cartao") };
    ReportBand header { ReportBand::PageHeader, 12, 0, {} };
    header.elements = { text(QStringLiteral("ANALÍTICO POR FUNCIONÁRIO"), 0, 100, true),
        element(ReportElement::Label, QStringLiteral("lblPeriodo"), 100, 50,
            QStringLiteral("sem período")),
        element(ReportElement::PageOfPages, {}, 150, 47, QStringLiteral("Página %1 de %2")),
        element(ReportElement::PrintDate, {}, 150, 47) };
    header.elements[3].rect.moveTop(6);
    ReportBand gh { ReportBand::GroupHeader, 6, 0, {} };
    gh.elements = { text(QStringLiteral("Cartão"), 0, 20, true),
        element(ReportElement::Field, QStringLiteral("Cartao"), 20, 30),
        element(ReportElement::Field, QStringLiteral("Nome"), 50, 60) };
    ReportBand detail { ReportBand::Detail, 5, 0, {} };
    detail.elements = { element(ReportElement::Field, QStringLiteral("Data"), 0, 30),
        element(ReportElement::Field, QStringLiteral("Valor"), 30, 30) };
    detail.elements[1].align = Qt::AlignRight | Qt::AlignVCenter;
    ReportBand gf { ReportBand::GroupFooter, 6, 0, {} };
    gf.elements = { text(QStringLiteral("Total do Cartão>>>"), 0, 30),
        element(ReportElement::Total, QStringLiteral("Valor"), 30, 30) };
    ReportBand summary { ReportBand::Summary, 8, 0, {} };
    summary.elements = { text(QStringLiteral("Total Geral >>>"), 0, 30),
        element(ReportElement::Total, QStringLiteral("Valor"), 30, 30),
        text(QStringLiteral("QTDE:"), 60, 15),
        element(ReportElement::Count, QStringLiteral("Data"), 75, 20) };
    l.bands = { header, gh, detail, gf, summary };
    return l;
}

// Texts following each occurrence of a caption, across the report.
QStringList after(const ReportDocument &doc, const QString &caption)
{
    QStringList out;
    const QStringList all = doc.allTexts();
    for (qsizetype i = 0; i + 1 < all.size(); ++i)
        if (all.at(i) == caption)
            out.append(all.at(i + 1));
    return out;
}

} // namespace

class TstReport : public QObject {
    Q_OBJECT
private slots:
    void groupsTotalsAndPages();
    void emptyData();
    void labelsAndVisibility();
    void stretchingBand();
    void pdfAndPreview();
};

void TstReport::groupsTotalsAndPages()
{
    FakePlatform fp;
    fp.clock->current = QDateTime(QDate(2026, 3, 9), QTime(14, 5, 6));
    // Three cards, 45 purchases each, of 1.234,56 + n cents: far more than one page.
    ReportDataFile file;
    Money expected[3];
    for (int c = 0; c < 3; ++c)
        for (int n = 0; n < 45; ++n) {
            const Money v = Money::fromCents(123456 + n);
            expected[c] += v;
            file.addRecord({ QStringLiteral("000%1").arg(c + 1), QStringLiteral("NOME %1").arg(c),
                QStringLiteral("%1/02/2026").arg(n % 28 + 1, 2, 10, QLatin1Char('0')),
                v.format() });
        }
    QVERIFY(file.save());
    Report r(listLayout());
    r.setDataFile(ReportDataFile::defaultPath());
    const ReportDocument doc = r.build();

    QVERIFY(doc.pageCount() >= 3);
    for (int p = 0; p < doc.pageCount(); ++p) {
        QCOMPARE(doc.texts(p).at(0), QStringLiteral("ANALÍTICO POR FUNCIONÁRIO"));
        QCOMPARE(
            doc.texts(p).at(2), QStringLiteral("Página %1 de %2").arg(p + 1).arg(doc.pageCount()));
        QCOMPARE(doc.texts(p).at(3), QStringLiteral("09/03/2026 14:05:06"));
        // Nothing runs into the bottom margin.
        for (const PlacedItem &i : doc.pages.at(p).items)
            QVERIFY2(i.rect.bottom() <= 297 - 6.35 + 1e-9, qPrintable(i.text));
    }
    QCOMPARE(after(doc, QStringLiteral("Cartão")),
        (QStringList { QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("0003") }));
    QCOMPARE(after(doc, QStringLiteral("Total do Cartão>>>")),
        (QStringList { expected[0].format(), expected[1].format(), expected[2].format() }));
    QCOMPARE(expected[0].format(), QStringLiteral("55.565,10"));
    QCOMPARE(after(doc, QStringLiteral("Total Geral >>>")),
        QStringList { (expected[0] + expected[1] + expected[2]).format() });
    QCOMPARE(after(doc, QStringLiteral("QTDE:")), QStringList { QStringLiteral("135") });
    // Each detail row shows its amount in the display format.
    QCOMPARE(doc.allTexts().count(QStringLiteral("1.234,56")), 3);
    // Detail rows are never split from the page: every page but the last is full.
    const QStringList firstPage = doc.texts(0);
    QVERIFY(firstPage.size() > 90);
}

void TstReport::emptyData()
{
    FakePlatform fp;
    ReportDataFile file;
    QVERIFY(file.save()); // an empty rel.txt
    for (const QString &path :
        QStringList { ReportDataFile::defaultPath(), fp.root() + QStringLiteral("/none.txt") }) {
        Report r(listLayout());
        r.setDataFile(path);
        const ReportDocument doc = r.build();
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.texts(0).at(2), QStringLiteral("Página 1 de 1"));
        QCOMPARE(
            after(doc, QStringLiteral("Total Geral >>>")), QStringList { QStringLiteral("0,00") });
        QCOMPARE(after(doc, QStringLiteral("QTDE:")), QStringList { QStringLiteral("0") });
        QVERIFY(after(doc, QStringLiteral("Total do Cartão>>>")).isEmpty());
    }
}

void TstReport::labelsAndVisibility()
{
    FakePlatform fp;
    Report r(listLayout());
    r.setRecords({ ReportData::parseLine(r.layout().pipeline,
        QStringLiteral("12345678901234|NOME MUITO LONGO DEMAIS PARA O CAMPO|01/01/2026|x")) });
    ReportDocument doc = r.build();
    QCOMPARE(doc.textOf(QStringLiteral("lblPeriodo")), QStringLiteral("sem período"));
    // Text fields are cut to their length; an unreadable number is zero.
    QCOMPARE(doc.textOf(QStringLiteral("Cartao")), QStringLiteral("1234567890"));
    QCOMPARE(doc.textOf(QStringLiteral("Nome")), QStringLiteral("NOME MUITO LONGO DEM"));
    QCOMPARE(after(doc, QStringLiteral("Total Geral >>>")), QStringList { QStringLiteral("0,00") });

    r.setLabel(QStringLiteral("lblPeriodo"), QStringLiteral("01/01/2026 a 31/01/2026"));
    QCOMPARE(
        r.build().textOf(QStringLiteral("lblPeriodo")), QStringLiteral("01/01/2026 a 31/01/2026"));
    r.setLabel(QStringLiteral("lblPeriodo"), QString());
    QCOMPARE(r.build().textOf(QStringLiteral("lblPeriodo")), QStringLiteral(""));
    r.setVisible(QStringLiteral("lblPeriodo"), false);
    QVERIFY(r.build().textOf(QStringLiteral("lblPeriodo")).isNull());
    r.reset();
    QCOMPARE(r.build().textOf(QStringLiteral("lblPeriodo")), QStringLiteral("sem período"));
}

void TstReport::stretchingBand()
{
    FakePlatform fp;
    ReportLayout l;
    l.name = QStringLiteral("rptMemo");
    l.hasPipeline = true;
    l.pipeline.fields = { { QStringLiteral("Historico"), false, 0 } };
    ReportBand d { ReportBand::Detail, 6, 0, {} };
    ReportElement memo = element(ReportElement::Field, QStringLiteral("Historico"), 0, 40);
    memo.wordWrap = memo.stretch = true;
    d.elements = { memo };
    l.bands = { d };
    Report r(l);
    const QString longText = QStringList(30, QStringLiteral("palavra")).join(QLatin1Char(' '));
    r.setRecords({ ReportData::parseLine(l.pipeline, longText),
        ReportData::parseLine(l.pipeline, QStringLiteral("curto")) });
    const ReportDocument doc = r.build();
    const PlacedItem &a = doc.pages.at(0).items.at(0);
    const PlacedItem &b = doc.pages.at(0).items.at(1);
    QVERIFY(a.rect.height() > 15);
    // The next band starts below the grown one.
    QVERIFY(b.rect.top() >= a.rect.bottom() - 1e-9);
    QCOMPARE(b.rect.height(), 5.0);
}

void TstReport::pdfAndPreview()
{
    FakePlatform fp;
    ReportDataFile file;
    for (int n = 0; n < 150; ++n)
        file.addRecord({ QStringLiteral("%1").arg(n / 50), QStringLiteral("N"),
            QStringLiteral("01/01/2026"), QStringLiteral("1,00") });
    QVERIFY(file.save());
    Report r(listLayout());
    r.setDataFile(ReportDataFile::defaultPath());
    const ReportDocument doc = r.build();
    const QString pdf = fp.root() + QStringLiteral("/lista.pdf");
    QVERIFY(doc.savePdf(pdf));
    const QByteArray bytes = printtest::readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
        doc.pageCount());
    QVERIFY(!doc.savePdf(fp.root() + QStringLiteral("/no/dir/x.pdf")));

    // The preview: maximised, 100 %, and its "Salvar PDF" writes the file chosen.
    const QString saved = fp.root() + QStringLiteral("/salvo.pdf");
    fp.dialogs->fileAnswers.push_back(saved);
    bool checked = false;
    fp.dialogs->formHandlers.push_back([&](QDialog &d) {
        auto *preview = qobject_cast<ReportPreview *>(&d);
        if (!preview)
            return int(QDialog::Rejected);
        checked = (d.windowState() & Qt::WindowMaximized) && preview->zoom() == 1.0
            && preview->document().pageCount() == doc.pageCount();
        auto *act = d.findChild<QAction *>(QStringLiteral("ActSalvarPdf"));
        if (act)
            act->trigger();
        return int(QDialog::Accepted);
    });
    QCOMPARE(r.preview(), int(QDialog::Accepted));
    QVERIFY(checked);
    QCOMPARE(fp.dialogs->modalForms, QStringList { QStringLiteral("ReportPreview") });
    QVERIFY(printtest::readFile(saved).startsWith("%PDF-"));
}

QTEST_MAIN(TstReport)
#include "tst_report.moc"
