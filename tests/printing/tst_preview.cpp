// The text preview and its print dialog: paging, search, frozen lines, keys, printing
// a range to the station's port, the unseen mode.
#include "TestSupport.h"
#include "helper_printing.h"
#include "platform/fakes/FakePlatform.h"
#include "printing/PrintOptionGroup.h"
#include "printing/TFrmImprimir.h"
#include "printing/TFrmPreviewDOS.h"
#include "printing/TextFormat.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

using namespace zx;
using printtest::readFile;

namespace {
const QString kFormat = QStringLiteral("|1-30|10|0|");

// Pages of four rows: marker, "P<n> A", "P<n> B", an empty line.
void fill(TFrmPreviewDOS &p, int pages)
{
    for (int n = 1; n <= pages; ++n) {
        p.adicionaLinha(TextDocument::markerText(n), kFormat);
        p.adicionaLinha(QStringLiteral("P%1 A").arg(n), kFormat);
        p.adicionaLinha(QStringLiteral("P%1 B").arg(n), kFormat);
        p.adicionaLinha(QString(), kFormat);
    }
}

QByteArray pageBytes(int n)
{
    const QByteArray mode = QByteArray("\x1b!") + char(0);
    return mode + QStringLiteral("P%1 A").arg(n).toLatin1() + "\r\n" + mode
        + QStringLiteral("P%1 B").arg(n).toLatin1() + "\r\n" + mode + "\r\n";
}

QString status(TFrmPreviewDOS &p)
{
    return p.findChild<QStatusBar *>(QStringLiteral("StatusBar"))->currentMessage();
}
} // namespace

class TstPreview : public QObject {
    Q_OBJECT
private slots:
    void pagingAndStatus();
    void pageBox_data();
    void pageBox();
    void searchBox();
    void freezing();
    void relatorioCsv();
    void printAndCloseKeys();
    void printRange_data();
    void printRange();
    void unseenPrintsAtOnce();
    void portFailureShownOnce();
    void printDialogKeysAndRange();
};

void TstPreview::pagingAndStatus()
{
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 3);
    ZX_FIND(QTableWidget, lista, &p, "Lista");
    ZX_FIND(QLineEdit, pagina, &p, "EdtPagina");
    ZX_FIND(QPushButton, prev, &p, "BtnAnterior");
    ZX_FIND(QPushButton, first, &p, "BtnPrimeira");
    ZX_FIND(QPushButton, next, &p, "BtnProxima");
    ZX_FIND(QPushButton, last, &p, "BtnUltima");
    QCOMPARE(p.windowTitle(), QStringLiteral("Visualização de Relatório (Impressão em Matricial)"));
    ZX_FIND(QLabel, rodape, &p, "LblRodape");
    QCOMPARE(rodape->text(),
        QStringLiteral("F7 CALCULADORA   F3 LOCALIZAR   Ctrl+P ou ENTER "
                       "IMPRIMIR   + CONGELA LINHA   - DESCONGELA LINHA "));
    for (const char *side : { "PnlFurosEsq", "PnlFurosDir" }) {
        ZX_FIND(QWidget, holes, &p, QLatin1String(side));
        QCOMPARE(holes->findChildren<QRadioButton *>().size(), 17);
    }
    QCOMPARE(p.totalPaginas(), 3);
    QCOMPARE(status(p), QStringLiteral("Página 1 de 3"));
    QCOMPARE(pagina->text(), QStringLiteral("001"));
    QVERIFY(!prev->isEnabled() && !first->isEnabled() && next->isEnabled());

    next->click();
    QCOMPARE(p.linhaAtual(), 4);
    QCOMPARE(status(p), QStringLiteral("Página 2 de 3"));
    QVERIFY(prev->isEnabled() && next->isEnabled());
    last->click();
    QCOMPARE(p.linhaAtual(), 8);
    QCOMPARE(pagina->text(), QStringLiteral("003"));
    QVERIFY(!next->isEnabled() && !last->isEnabled());
    prev->click();
    QCOMPARE(p.paginaAtual(), 2);
    first->click();
    QCOMPARE(p.linhaAtual(), 0);

    // Page down on the last page goes to the last row; page up on page 1 to the first.
    QTest::keyClick(lista, Qt::Key_PageDown);
    QCOMPARE(p.paginaAtual(), 2);
    QTest::keyClick(lista, Qt::Key_PageDown);
    QTest::keyClick(lista, Qt::Key_PageDown);
    QCOMPARE(p.linhaAtual(), 11);
    QTest::keyClick(lista, Qt::Key_PageUp);
    QCOMPARE(p.linhaAtual(), 4);
    lista->setCurrentCell(2, 0);
    QTest::keyClick(lista, Qt::Key_PageUp);
    QCOMPARE(p.linhaAtual(), 0);

    // A document without a marker in its first row is one page.
    TFrmPreviewDOS flat(1, false, true, 1000);
    flat.adicionaLinha(QStringLiteral("X"), kFormat);
    flat.adicionaLinha(TextDocument::markerText(2), kFormat);
    QCOMPARE(flat.totalPaginas(), 1);
    QCOMPARE(status(flat), QStringLiteral("Página 1 de 1"));
}

void TstPreview::pageBox_data()
{
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::newRow("forward") << 0 << "3" << 8;
    QTest::newRow("backward") << 9 << "2" << 4;
    QTest::newRow("beyond the total") << 0 << "9" << 12;
    QTest::newRow("zero") << 9 << "0" << 0;
    QTest::newRow("empty") << 5 << "" << 0;
}

void TstPreview::pageBox()
{
    QFETCH(int, fromRow);
    QFETCH(QString, typed);
    QFETCH(int, row);
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 4);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    ZX_FIND(QTableWidget, lista, &p, "Lista");
    ZX_FIND(QLineEdit, pagina, &p, "EdtPagina");
    lista->setCurrentCell(fromRow, 0);
    pagina->setFocus();
    pagina->setText(typed);
    QTest::keyClick(pagina, Qt::Key_Return); // back to the grid: the box is left
    QCOMPARE(p.linhaAtual(), row);
    QCOMPARE(pagina->text(), QStringLiteral("%1").arg(p.paginaAtual(), 3, 10, QLatin1Char('0')));
}

void TstPreview::searchBox()
{
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 3);
    ZX_FIND(QTableWidget, lista, &p, "Lista");
    ZX_FIND(QLineEdit, loca, &p, "EdtLoca");
    ZX_FIND(QPushButton, find, &p, "BtnLocalizar");
    ZX_FIND(PrintOptionGroup, dir, &p, "RgAcima");
    QCOMPARE(dir->itemIndex(), 1); // "Abaixo"

    find->click();
    QCOMPARE(
        fp.dialogs->lastText(), QStringLiteral("Digite uma palavra(ou parte) para localizá-la"));
    QCOMPARE(fp.dialogs->messages.last().icon, MsgIcon::Warning);

    // Typing in the grid fills the box (upper case); backspace takes the last back.
    QTest::keyClicks(lista, QStringLiteral("p2 bx"));
    QCOMPARE(loca->text(), QStringLiteral("P2 BX"));
    QTest::keyClick(lista, Qt::Key_Backspace);
    QCOMPARE(loca->text(), QStringLiteral("P2 B"));
    find->click();
    QCOMPARE(p.linhaAtual(), 6);
    // Not found: nothing moves.
    loca->setText(QStringLiteral("P1 A"));
    find->click();
    QCOMPARE(p.linhaAtual(), 6);
    dir->setItemIndex(0); // "Acima"
    find->click();
    QCOMPARE(p.linhaAtual(), 1);
    // Case matters.
    loca->setText(QStringLiteral("p3"));
    dir->setItemIndex(1);
    QVERIFY(!p.localiza(QStringLiteral("p3"), true));
    QCOMPARE(p.linhaAtual(), 1);
    // Moving with the cursor keys empties the box.
    QTest::keyClick(lista, Qt::Key_Down);
    QVERIFY(loca->text().isEmpty());

    // Clicking into the box sends the focus back with a hint.
    const int before = int(fp.dialogs->messages.size());
    QTest::mouseClick(loca, Qt::LeftButton);
    QCOMPARE(fp.dialogs->messages.size(), before + 1);
    QCOMPARE(fp.dialogs->lastText(),
        QStringLiteral(
            "Não há necessidade do cursor nesse campo,\rapenas digite a palavra(ou parte)"));
}

void TstPreview::freezing()
{
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 3);
    p.resize(800, 400);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    ZX_FIND(QTableWidget, lista, &p, "Lista");
    ZX_FIND(QTableWidget, congela, &p, "ListaCongela");
    QVERIFY(!congela->isVisible());
    lista->setCurrentCell(1, 0);
    const int fullHeight = lista->height();
    QTest::keyClick(lista, Qt::Key_Plus);
    QVERIFY(congela->isVisible());
    QCOMPARE(congela->rowCount(), 1);
    QCOMPARE(congela->item(0, 0)->text(), QStringLiteral("P1 A"));
    // The list sits below the frozen lines, shortened by their height.
    QCOMPARE(lista->geometry().top(), congela->geometry().bottom() + 1 + 8);
    QVERIFY(lista->height() < fullHeight);

    // Freezing stops once three frozen rows no longer fit above the list.
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(lista, Qt::Key_Plus);
    const int frozen = congela->rowCount();
    QVERIFY(frozen > 1 && frozen < 41);
    QVERIFY(3 * 20 >= lista->height());

    for (int i = 0; i < frozen - 1; ++i)
        QTest::keyClick(lista, Qt::Key_Minus);
    QCOMPARE(congela->rowCount(), 1);
    QTest::keyClick(lista, Qt::Key_Minus);
    QVERIFY(!congela->isVisible());
    QCOMPARE(lista->height(), fullHeight);
}

void TstPreview::relatorioCsv()
{
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    p.adicionaLinha(QStringLiteral("Relação"), kFormat);
    p.adicionaLinha(QString(), kFormat);
    p.adicionaLinha(QStringLiteral("fim"), kFormat);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QApplication::setActiveWindow(&p);
    QTest::keyClick(&p, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(readFile(fp.programFolder() + QStringLiteral("/Relatorio.csv")),
        QByteArray("Rela\xE7\xE3o\r\n\r\nfim\r\n"));
}

void TstPreview::printAndCloseKeys()
{
    FakePlatform fp;
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 1);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QApplication::setActiveWindow(&p);
    ZX_FIND(QTableWidget, lista, &p, "Lista");
    lista->setFocus();
    // The print dialog is cancelled by the fake: nothing printed, no message.
    QTest::keyClick(lista, Qt::Key_Return);
    QTest::keyClick(&p, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(fp.dialogs->modalForms,
        (QStringList { QStringLiteral("FrmImprimir"), QStringLiteral("FrmImprimir") }));
    QVERIFY(!p.impresso());
    QVERIFY(fp.dialogs->messages.isEmpty());
    QTest::keyClick(lista, Qt::Key_Escape);
    QVERIFY(!p.isVisible());
    QCOMPARE(p.result(), int(QDialog::Rejected));
}

void TstPreview::printRange_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray all = pageBytes(1) + "\f" + pageBytes(2) + "\f" + pageBytes(3);
    QTest::newRow("all") << 0 << ""
                         << "" << 1 << all;
    QTest::newRow("current page, two copies") << 1 << ""
                                              << "" << 2 << pageBytes(2) + pageBytes(2);
    QTest::newRow("range") << 2 << "2"
                           << "x3" << 1 << pageBytes(2) + "\f" + pageBytes(3);
}

void TstPreview::printRange()
{
    QFETCH(int, choice);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, copies);
    QFETCH(QByteArray, bytes);
    FakePlatform fp;
    // A queue port: every copy is one spooled job, recorded by the process fake.
    printtest::writeKv(fp.root(), QStringLiteral("PORTA"), QStringLiteral("lp:Matricial"));
    TFrmPreviewDOS p(3, false, true, 1000);
    fill(p, 3);
    p.proximaPagina();
    QString seen;
    fp.dialogs->formHandlers.push_back([&](QDialog &d) {
        auto *porta = zxtest::byName<QLineEdit>(&d, QStringLiteral("EdtPorta"));
        auto *ini = zxtest::byName<QLineEdit>(&d, QStringLiteral("EdtPagIni"));
        auto *fim = zxtest::byName<QLineEdit>(&d, QStringLiteral("EdtPagFim"));
        auto *nr = zxtest::byName<QSpinBox>(&d, QStringLiteral("EdtNrPag"));
        auto *rg = zxtest::byName<PrintOptionGroup>(&d, QStringLiteral("RgIntervalo"));
        if (!porta || !ini || !fim || !nr || !rg)
            return int(QDialog::Rejected);
        seen = QStringLiteral("%1 %2 %3-%4 %5 %6")
                   .arg(porta->text(), porta->isReadOnly() ? QStringLiteral("ro") : QString(),
                       ini->text(), fim->text())
                   .arg(nr->value())
                   .arg(rg->itemIndex());
        rg->setItemIndex(choice);
        if (choice == 2) {
            ini->setText(first);
            fim->setText(last);
        }
        nr->setValue(copies);
        return int(QDialog::Accepted);
    });
    p.BtnImprimirClick();
    QCOMPARE(fp.dialogs->modalForms, QStringList { QStringLiteral("FrmImprimir") });
    // The dialog opens on the current page, one copy, the station's port.
    QCOMPARE(seen, QStringLiteral("lp:Matricial ro 2-2 1 0"));
    QVERIFY(fp.dialogs->messages.isEmpty());
    QCOMPARE(fp.processes->started.size(), copies);
    QByteArray received;
    for (const auto &job : fp.processes->started) {
        received += readFile(job.arguments.last());
        QFile::remove(job.arguments.last());
    }
    QCOMPARE(received, bytes);
    QCOMPARE(p.copias(), 1);
}

void TstPreview::unseenPrintsAtOnce()
{
    FakePlatform fp;
    // No PORTA yet: the default is written back, and that port is used.
    TFrmPreviewDOS p(2, true, false, 1000);
    fill(p, 2);
    p.exibe();
    QCOMPARE(printtest::readKv(fp.root(), QStringLiteral("PORTA")), QStringLiteral("LPT1"));
    QVERIFY(fp.dialogs->modalForms.isEmpty());

    const QString port = fp.root() + QStringLiteral("/porta.prn");
    printtest::writeKv(fp.root(), QStringLiteral("PORTA"), port);
    fp.dialogs->clear();
    TFrmPreviewDOS q(2, true, false, 1000);
    fill(q, 2);
    QCOMPARE(q.exibe(), int(QDialog::Accepted));
    QVERIFY(fp.dialogs->modalForms.isEmpty());
    QVERIFY(fp.dialogs->messages.isEmpty());
    QVERIFY(!q.isVisible());
    QCOMPARE(readFile(port), pageBytes(1) + "\f" + pageBytes(2) + "\f");
}

void TstPreview::portFailureShownOnce()
{
    FakePlatform fp;
    printtest::writeKv(fp.root(), QStringLiteral("PORTA"), fp.root() + QStringLiteral("/no/dir/p"));
    TFrmPreviewDOS p(1, false, true, 1000);
    fill(p, 1);
    fp.dialogs->formHandlers.push_back([](QDialog &d) {
        d.findChild<QSpinBox *>(QStringLiteral("EdtNrPag"))->setValue(3);
        return int(QDialog::Accepted);
    });
    p.BtnImprimirClick();
    QCOMPARE(fp.dialogs->texts(),
        QStringList { QStringLiteral("Erro ao tentar conectar à impressora!!!") });
}

void TstPreview::printDialogKeysAndRange()
{
    FakePlatform fp;
    TFrmImprimir d(nullptr, true);
    d.setPaginas(2, 2);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QApplication::setActiveWindow(&d);
    ZX_FIND(QLineEdit, ini, &d, "EdtPagIni");
    ZX_FIND(QLineEdit, fim, &d, "EdtPagFim");
    ZX_FIND(QSpinBox, nr, &d, "EdtNrPag");
    ZX_FIND(QRadioButton, faixa, &d, "RgIntervalo2");
    ZX_FIND(QRadioButton, todas, &d, "RgIntervalo0");
    QTRY_VERIFY(nr->hasFocus());
    QVERIFY(!ini->isVisible());

    faixa->click();
    QVERIFY(ini->isVisible() && fim->isVisible());
    QTRY_VERIFY(ini->hasFocus());
    ini->setText(QStringLiteral("a5b"));
    QTest::keyClick(ini, Qt::Key_Return); // next control, leaving the box
    QCOMPARE(ini->text(), QStringLiteral("5"));
    QTRY_VERIFY(fim->hasFocus());
    fim->setText(QString());
    QTest::keyClick(fim, Qt::Key_Return); // to the copies box; 1 is before 5
    QCOMPARE(fp.dialogs->texts(), QStringList { QStringLiteral("Intervalo inválido!!!") });
    QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
    QCOMPARE(fim->text(), QStringLiteral("5"));
    QCOMPARE(d.pagIni(), 5);
    QCOMPARE(d.pagFim(), 5);

    todas->click();
    QVERIFY(!ini->isVisible());
    QTRY_VERIFY(nr->hasFocus());
    QTest::keyClick(nr, Qt::Key_Up); // moves to the previous control, no step
    QCOMPARE(nr->value(), 1);
    QVERIFY(!nr->hasFocus());
    nr->setFocus();
    QTest::keyClick(nr, Qt::Key_Return);
    QCOMPARE(d.result(), int(QDialog::Accepted));

    TFrmImprimir e(nullptr, true);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QTest::keyClick(e.findChild<QSpinBox *>(QStringLiteral("EdtNrPag")), Qt::Key_Escape);
    QCOMPARE(e.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
