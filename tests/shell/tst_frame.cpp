// The main window: start-up by station kind, the first run, the page-change guard,
// integration mode, the company choice, shutdown and the hooks pages join.
#include "TestSupport.h"
#include "helper_shell.h"

#include "common/core/Cp1252.h"
#include "config/CripLocal.h"
#include "config/StationSettings.h"
#include "shell/PageControl.h"
#include "shell/TFrmInstiVincul.h"
#include "shell/TfrmTpSist.h"

#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

using namespace zx;
using shelltest::Station;
using Page = TFrmPrincipal::Page;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every way a person changes the page of a page control, each tried on every tab.
void tryEveryChange(PageControl *pc)
{
    QTabBar *bar = pc->tabBar();
    for (int i = 0; i < pc->count(); ++i) {
        if (!pc->isTabVisible(i))
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        bar->setCurrentIndex(i);
    }
    QTest::keyClick(pc->currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(bar, Qt::Key_Right);
}

// A record list as the server replies with the companies of a station.
QByteArray confInsti(const QList<QStringList> &rows)
{
    QString x = QStringLiteral("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n");
    for (const QStringList &r : rows)
        x += QStringLiteral(
            "<REGISTRO>\r\n<CNPJ_PESSO>%1</CNPJ_PESSO>\r\n<FANTA_PESSO>%2</FANTA_PESSO>\r\n"
            "<TIPO_INSTI>%3</TIPO_INSTI>\r\n</REGISTRO>\r\n")
                 .arg(r.at(0), r.at(1), r.at(2));
    x += QStringLiteral("</DATASET>\r\n");
    return cp1252::encode(x);
}
} // namespace

class TstFrame : public QObject {
    Q_OBJECT
private slots:
    void titleAndPages()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "3");
        TFrmPrincipal &f = st.start();
        QCOMPARE(f.windowTitle(), QStringLiteral("ZENTrix (Versão: 3.0.1.6)"));
        QCOMPARE(f.objectName(), QStringLiteral("FrmPrincipal"));
        // Every page exists, hidden or not, with its caption.
        const QList<std::tuple<int, const char *, const char *>> pages
            = { { 1, "tabCartao", "&Cartão" }, { 1, "TabCartFidelid", "Ad&m. Cartão Fidelidade" },
                  { 1, "TabUtilit", "&Utilitários" },
                  { 1, "tabFunc", "&Funcionários da Instituição" },
                  { 1, "tabAutManual", "Autorização Manual" }, { 2, "TabAutorizar", "&Autorizar" },
                  { 2, "TabExtorno", "&Extornar" }, { 2, "TabSaldo", "&Saldo" },
                  { 3, "tabConfig", "C&onfigurações" }, { 3, "TabRelatorio", "Im&pressões" },
                  { 3, "TabCancCart", "C&ancelamento de Cartão" } };
        for (const auto &[pc, name, caption] : pages) {
            ZX_FIND(QWidget, w, &f, QLatin1String(name));
            const int i = f.pageControl(pc)->indexOf(w);
            QVERIFY2(i >= 0, name);
            QCOMPARE(f.pageControl(pc)->tabText(i), QString::fromUtf8(caption));
        }
        for (const char *name : { "PageControl4", "PageControl5", "MemRetorno", "LblStatus",
                 "EdtNrCartao", "BtnValidar", "BtnFechar", "Image2" })
            QVERIFY2(f.findChild<QWidget *>(QLatin1String(name)), name);
        // The two pages without behaviour never show.
        QVERIFY(!f.isPageVisible(Page::CancCart));
        QVERIFY(!f.isPageVisible(Page::AutManual));
    }

    void pagesByStationKind_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QStringList>("utilities");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("stored");
        const QStringList all { "tabCartao", "TabCartFidelid", "TabUtilit", "tabFunc" };
        QTest::newRow("merchant") << "1"
                                  << QStringList { "tabCartao", "TabCartFidelid", "TabUtilit" }
                                  << QStringList { "tabConfig", "TabRelatorio" } << "tabCartao"
                                  << "1";
        QTest::newRow("institution") << "2" << QStringList { "TabUtilit", "tabFunc" }
                                     << QStringList { "tabConfig" } << "tabFunc"
                                     << "2";
        QTest::newRow("both") << "3" << all << QStringList { "tabConfig", "TabRelatorio" }
                              << "tabCartao"
                              << "3";
        QTest::newRow("missing counts as merchant")
            << "" << QStringList { "tabCartao", "TabCartFidelid", "TabUtilit" }
            << QStringList { "tabConfig", "TabRelatorio" } << "tabCartao"
            << "1";
        QTest::newRow("zero counts as merchant")
            << "0" << QStringList { "tabCartao", "TabCartFidelid", "TabUtilit" }
            << QStringList { "tabConfig", "TabRelatorio" } << "tabCartao"
            << "1";
    }
    void pagesByStationKind()
    {
        QFETCH(QString, codigo);
        QFETCH(QStringList, pages);
        QFETCH(QStringList, utilities);
        QFETCH(QString, active);
        QFETCH(QString, stored);
        Station st;
        st.setCompany(shelltest::kCnpj);
        if (!codigo.isEmpty())
            st.setKv("CODIGO", codigo);
        TFrmPrincipal &f = st.start();
        QVERIFY(f.startupFinished());
        QCOMPARE(st.visiblePages(1), pages);
        QCOMPARE(st.visiblePages(3), utilities);
        QCOMPARE(st.activePage(1), active);
        QCOMPARE(st.kv("CODIGO"), stored);
        QCOMPARE(f.state().stationKind, stored.toInt());
        QCOMPARE(f.state().stationCnpj, shelltest::kCnpj);
        // Nothing asked the person anything but the message of the day.
        QCOMPARE(st.fp.dialogs->modalForms, QStringList { "FrmMensagem" });
        QVERIFY(st.fp.dialogs->messages.isEmpty());
    }

    void firstRunWizardAndPageGuard()
    {
        Station st;
        QString wizardTitle, groupTitle;
        QStringList items;
        int preselected = -1;
        st.fp.dialogs->defaultFormHandler = [&](QDialog &form) {
            if (auto *w = qobject_cast<TfrmTpSist *>(&form)) {
                wizardTitle = w->windowTitle();
                groupTitle = form.findChild<QWidget *>("RgTpSist")->property("title").toString();
                for (QRadioButton *r : form.findChildren<QRadioButton *>())
                    items << r->text();
                preselected = w->itemIndex();
                QTest::mouseClick(form.findChild<QRadioButton *>("RgTpSist1"), Qt::LeftButton);
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        };
        TFrmPrincipal &f = st.start();
        QVERIFY(f.startupFinished());
        QCOMPARE(wizardTitle, QStringLiteral("Assistente de configuração"));
        QCOMPARE(groupTitle, QStringLiteral("Selecione a configuração p/ o Sistema:"));
        QCOMPARE(items, TfrmTpSist::textos());
        QCOMPARE(preselected, 0);
        QCOMPARE(st.kv("CODIGO"), QStringLiteral("2"));
        QCOMPARE(st.activePage(1), QStringLiteral("TabUtilit"));
        QCOMPARE(st.activePage(3), QStringLiteral("tabConfig"));
        QCOMPARE(st.fp.dialogs->texts(),
            QStringList { "Informe as configurações iniciais do sistema!!!" });
        QCOMPARE(st.fp.dialogs->messages.at(0).caption, QStringLiteral("ZENTrix"));
        QCOMPARE(st.fp.dialogs->messages.at(0).icon, MsgIcon::Warning);
        QCOMPARE(f.focusWidget()->objectName(), QStringLiteral("edtRazao"));
        // The new kind waits for the next start: this run shows the merchant pages.
        QCOMPARE(st.visiblePages(1), (QStringList { "tabCartao", "TabCartFidelid", "TabUtilit" }));

        tryEveryChange(f.pageControl(1));
        tryEveryChange(f.pageControl(3));
        QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier); // the card page's mnemonic
        QCOMPARE(st.activePage(1), QStringLiteral("TabUtilit"));
        QCOMPARE(st.activePage(3), QStringLiteral("tabConfig"));

        // Saving the company with a CNPJ opens the other pages.
        ZX_FIND(QLineEdit, razao, &f, "edtRazao");
        ZX_FIND(QLineEdit, cnpj, &f, "edtCNPJ");
        ZX_FIND(QPushButton, alterar, &f, "btnAlterar");
        razao->setText("MERCADO BOM PRECO");
        cnpj->setText(shelltest::kCnpj);
        QTest::mouseClick(alterar, Qt::LeftButton);
        QCOMPARE(f.state().stationCnpj, shelltest::kCnpj);
        QTabBar *bar = f.pageControl(1)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QCOMPARE(st.activePage(1), QStringLiteral("tabCartao"));
    }

    void integrationArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("amount in cents") << "1234" << true << "12,34" << true;
        QTest::newRow("not an amount") << "ABC" << true << "" << false;
        QTest::newRow("zero") << "0" << true << "" << false;
        QTest::newRow("one cent") << "1" << true << "0,01" << true;
        QTest::newRow("no argument") << "" << false << "" << false;
    }
    void integrationArgument()
    {
        QFETCH(QString, argument);
        QFETCH(bool, mode);
        QFETCH(QString, value);
        QFETCH(bool, readOnly);
        Station st;
        st.setCompany(shelltest::kCnpj);
        const QString path = st.fp.root() + "/integra.txt";
        st.setCfg("CONFIG", "PATHINTEGRACAO", path);
        TFrmPrincipal &f = st.start(argument.isEmpty() ? QStringList() : QStringList { argument });
        QCOMPARE(f.state().integrationMode, mode);
        QCOMPARE(f.state().firstArgument, argument);
        QCOMPARE(f.state().presetSaleValue, value);
        QCOMPARE(f.state().saleValueReadOnly, readOnly);
        // In integration mode the message of the day is still shown at the first showing.
        QCOMPARE(st.fp.dialogs->modalForms, QStringList { "FrmMensagem" });

        f.memRetorno()->appendPlainText("Status: Operacao cancelada");
        f.close();
        if (!mode) {
            QVERIFY(!QFile::exists(path));
            return;
        }
        QCOMPARE(readAll(path),
            QByteArray("2 NAO AUTORIZADA                                \r\n"
                       "Status: Operacao cancelada                      \r\n"));
        QVERIFY(st.fp.dialogs->messages.isEmpty());
    }

    void integrationFileOnlyWhenNoResult()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        const QString path = st.fp.root() + "/integra.txt";
        st.setCfg("CONFIG", "PATHINTEGRACAO", path);
        TFrmPrincipal &f = st.start({ "1500" });
        // The receipt wrote the authorized sale: closing leaves it alone.
        f.gravaIntegracao("1 AUTORIZACAO CONCEDIDA NR 123456");
        f.state().integrationResult = QLatin1Char('1');
        f.close();
        QVERIFY(readAll(path).startsWith("1 AUTORIZACAO CONCEDIDA NR 123456               \r\n"));
    }

    void integrationWithoutPathWarnsAndWritesNothing()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start({ "1234" });
        // The key is created empty at start.
        QVERIFY(readAll(StationSettings::installFilePath()).contains("PATHINTEGRACAO=\r\n"));
        f.close();
        QCOMPARE(st.fp.dialogs->texts(),
            QStringList { "Caminho para integracao invalido. Configure o arquivo configura.ini" });
        QCOMPARE(st.fp.dialogs->messages.at(0).icon, MsgIcon::Error);
        QCOMPARE(st.fp.dialogs->messages.at(0).caption, QStringLiteral("ZENTrix"));
    }

    void fixedSaleValueFromSettings()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setCfg("CONFIG", "VALOR_MENSA", "39,90");
        TFrmPrincipal &f = st.start();
        QCOMPARE(f.state().presetSaleValue, QStringLiteral("39,90"));
        QVERIFY(f.state().saleValueReadOnly);
        QVERIFY(!f.state().integrationMode);
    }

    void settingsReadAtStart()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("PARCELAR", "1");
        st.setCfg("CONFIG", "TIPPESQ", "2");
        st.setCfg("CONFIG", "OPCRELFC", "1");
        st.setCfg("CONFIG", "INSTI_FIEL", "1");
        TFrmPrincipal &f = st.start();
        QVERIFY(f.state().installmentsEnabled);
        QVERIFY(f.state().loyaltyInstitution);
        QVERIFY(!f.state().loyaltyCreditInstallments);
        QCOMPARE(f.state().employeeSearchKind, 2);
        QCOMPARE(f.state().employeeReportChoice, 1);
        QCOMPARE(f.state().segmentCode, quint8(9));
        QCOMPARE(f.state().municipalityCode, quint8(0));
        QCOMPARE(f.state().startDate, st.fp.clock->current.date());
        QCOMPARE(f.state().driveLetter, st.fp.programFolder().at(0));
        // IDSEG written scrambled when missing; remembered choices written back at close.
        QVERIFY(StationSettings().installFile().valueExists("CONFIG", "IDSEG"));
        QCOMPARE(StationSettings().idSeg(), 9);
        f.state().loyaltySearchKind = 1;
        f.close();
        QCOMPARE(StationSettings().tipPesq2(), 1);
        QCOMPARE(StationSettings().tipPesq(), 2);
    }

    void stationRowInRequestsInFlight()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.start();
        DbfTable &u = st.dm->CDSUltSolic;
        QVERIFY(u.open());
        QVERIFY(u.locate("NUMER_IP", st.fp.hostInfo->ipv4));
        QCOMPARE(u.recordCount(), 1);
        u.close();
        // A second start does not add another row.
        st.frame.reset();
        st.start();
        QCOMPARE(st.rows(st.dm->CDSUltSolic), 1);
    }

    void companyChoice_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("cnpj");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("payroll") << 0 << "22333444000155"
                                 << "2"
                                 << "METALURGICA SOL";
        QTest::newRow("food") << 1 << "33444555000166"
                              << "3"
                              << "A & B ALIMENTOS";
        QTest::newRow("loyalty") << 2 << "44555666000177"
                                 << "4"
                                 << "CLUBE FIEL";
    }
    void companyChoice()
    {
        QFETCH(int, row);
        QFETCH(QString, cnpj);
        QFETCH(QString, type);
        QFETCH(QString, name);
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "2");
        QFile file(st.fp.programFolder() + "/confInsti.xml");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(confInsti({ { "22333444000155", "METALURGICA SOL", "2" },
            { "33444555000166", "A e_e B ALIMENTOS", "3" }, { "44555666000177", "CLUBE FIEL", "4" },
            { "22333444000155", "METALURGICA SOL", "2" } }));
        file.close();
        QStringList shown;
        QString caption;
        st.fp.dialogs->defaultFormHandler = [&](QDialog &form) {
            if (!qobject_cast<TFrmInstiVincul *>(&form))
                return int(QDialog::Rejected);
            caption = form.windowTitle();
            auto *lista = form.findChild<QTreeWidget *>("Lista");
            for (int i = 0; i < lista->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < 4; ++c)
                    cells << lista->topLevelItem(i)->text(c);
                shown << cells.join('|');
            }
            lista->setCurrentItem(lista->topLevelItem(row));
            return int(QDialog::Accepted);
        };
        QList<ServiceHandOver> handed;
        TFrmPrincipal &f = st.create();
        f.hooks().setServiceHandOver([&](const ServiceHandOver &v) { handed << v; });
        QVERIFY(st.show());
        QVERIFY(f.startupFinished());
        QCOMPARE(caption, QStringLiteral("Selecione a Empresa"));
        QCOMPARE(shown,
            (QStringList { "METALURGICA SOL|METALURGICA SOL|CONSIGNAÇÃO|22333444000155",
                "A & B ALIMENTOS|A & B ALIMENTOS|ALIMENTAÇÃO|33444555000166",
                "CLUBE FIEL|CLUBE FIEL|FIDELIDADE|44555666000177" }));
        QCOMPARE(f.state().stationCnpj, cnpj);
        QCOMPARE(f.state().institutionType, type);
        QCOMPARE(f.state().companyName, name);
        QCOMPARE(st.dm->nomeEmpresa, name);
        QVERIFY(!handed.isEmpty());
        QCOMPARE(handed.last().cnpjEstac, cnpj);
        QCOMPARE(handed.last().nomeEstab, name);
        QCOMPARE(handed.last().versLocal, QStringLiteral("3.0.1.6"));
        QCOMPARE(handed.last().unidRel, QString(st.fp.programFolder().at(0)));
        QCOMPARE(handed.last().corAguarde, TFrmPrincipal::kCorRede);
        // Only one choice: the type is known, so the second one does not run.
        QCOMPARE(st.fp.dialogs->modalForms.count("FrmInstiVincul"), 1);
        QCOMPARE(st.rows(st.dm->CDSMultiInsti), 3);
    }

    void companyListClosedEndsTheProgram()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "3");
        QFile file(st.fp.programFolder() + "/confInsti.xml");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(confInsti(
            { { "22333444000155", "METALURGICA SOL", "2" }, { "33444555000166", "OUTRA", "3" } }));
        file.close();
        TFrmPrincipal &f = st.start();
        QVERIFY(!f.isVisible());
        QVERIFY(!f.startupFinished());
        QVERIFY(st.fp.dialogs->modalForms.contains("FrmInstiVincul"));
    }

    void hooksRunInTheirPlaces()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "2");
        QStringList ran;
        TFrmPrincipal &f = st.create();
        for (auto [step, name] : { std::pair { StartupStep::PendingSales, "pending" },
                 std::pair { StartupStep::PasswordQueue, "passwords" },
                 std::pair { StartupStep::ServerRefresh, "refresh" },
                 std::pair { StartupStep::CompanyListFetch, "fetch" } })
            f.hooks().add(step, name, [&ran, name = QString(name)] { ran << name; });
        f.hooks().add(
            CloseStep::PasswordQueue, "passwords at close", [&] { ran << "close passwords"; });
        f.hooks().add(CloseStep::PendingSales, "pending at close", [&] { ran << "close pending"; });
        QVERIFY(st.show());
        // Municipality code 0 refreshes; an institution without a type fetches its list.
        QCOMPARE(ran, (QStringList { "pending", "passwords", "refresh", "fetch" }));
        ran.clear();
        f.close();
        QCOMPARE(ran, QStringList { "close passwords" });
    }

    void supportConsoleRunEndsTheProgram()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "2");
        int consoles = 0;
        TFrmPrincipal &f = st.create({ "NF_TQB" });
        f.hooks().setIntegrationConsole([&] { ++consoles; });
        st.show();
        QCOMPARE(consoles, 1);
        QVERIFY(!f.isVisible());
        QVERIFY(!f.state().integrationMode);
        // No company choice in this run.
        QVERIFY(!st.fp.dialogs->modalForms.contains("FrmInstiVincul"));
    }

    void pendingSaleAtCloseRunsTheCheck_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<bool>("check");
        QTest::newRow("pending with card") << "0000012345" << true;
        QTest::newRow("pending without card") << "" << false;
    }
    void pendingSaleAtCloseRunsTheCheck()
    {
        QFETCH(QString, card);
        QFETCH(bool, check);
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        DbfTable &v = st.dm->CDSVenda;
        QVERIFY(v.open());
        QVERIFY(v.append());
        v.setAsString("SITUA_VEND", "P");
        v.setAsString("CARTA_VEND", card);
        QVERIFY(v.post());
        v.close();
        int checks = 0;
        f.hooks().add(CloseStep::PendingSales, "verifSolicPend", [&] { ++checks; });
        f.close();
        QCOMPARE(checks, check ? 1 : 0);
        QCOMPARE(st.rows(v), 1);
    }

    void fullJournalEmptiedAtClose()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        DbfTable &v = st.dm->CDSVenda;
        QVERIFY(v.open());
        {
            DbfTable::TableLock lock = v.lockTable();
            for (int i = 0; i < TDM::kVendaCheia; ++i) {
                QVERIFY(v.append());
                v.setAsString("SITUA_VEND", "A");
                v.setAsString("CARTA_VEND", "0000012345");
                QVERIFY(v.post());
            }
        }
        v.close();
        f.close();
        QCOMPARE(st.rows(v), 0);
        QVERIFY(st.fp.dialogs->messages.isEmpty());
    }

    void cardBarFollowsTheCardPage()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        f.activateWindow();
        QLineEdit *card = f.cardNumberField();
        QPushButton *fechar = f.findChild<QPushButton *>("BtnFechar");
        QList<TFrmPrincipal::Page> validated;
        auto *imprimir = new QPushButton("&Imprimir");
        imprimir->setObjectName("BtnImprimir");
        f.addCardBarButton(Page::Autorizar, imprimir);
        QVERIFY(!f.validarButton()->isEnabled());
        f.setValidarAction([&](Page p) { validated << p; });
        QVERIFY(f.validarButton()->isEnabled());

        QVERIFY(QTest::qWaitForWindowActive(&f));
        for (Page p : { Page::Extorno, Page::Saldo, Page::Autorizar }) {
            f.validarButton()->setFocus();
            f.activatePage(p);
            QWidget *active = f.page(p);
            QVERIFY(active->isAncestorOf(card));
            QVERIFY(active->isAncestorOf(fechar));
            QCOMPARE(card->isVisible(), p != Page::Extorno);
            QCOMPARE(imprimir->isVisible(), p == Page::Autorizar);
            // Except on the reversal page, the card number is where the cashier types.
            if (p != Page::Extorno)
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(card));
            QTest::mouseClick(f.validarButton(), Qt::LeftButton);
        }
        QCOMPARE(validated, (QList<Page> { Page::Extorno, Page::Saldo, Page::Autorizar }));
        QTest::mouseClick(fechar, Qt::LeftButton);
        QVERIFY(!f.isVisible());
    }

    void utilitiesOpenOnReportsAtMerchants_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("page");
        QTest::newRow("merchant") << "1"
                                  << "TabRelatorio";
        QTest::newRow("institution") << "2"
                                     << "tabConfig";
    }
    void utilitiesOpenOnReportsAtMerchants()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, page);
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", codigo);
        TFrmPrincipal &f = st.start();
        QTabBar *bar = f.pageControl(1)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
            bar->tabRect(f.pageControl(1)->indexOf(f.page(Page::Utilit))).center());
        QCOMPARE(st.activePage(1), QStringLiteral("TabUtilit"));
        QCOMPARE(st.activePage(3), page);
    }

    void colourFollowsTheLoyaltyPage()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        QList<QColor> colours;
        TFrmPrincipal &f = st.create();
        f.hooks().setServiceHandOver([&](const ServiceHandOver &v) { colours << v.corAguarde; });
        QVERIFY(st.show());
        QTabBar *bar = f.pageControl(1)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(f.statusColour(), TFrmPrincipal::kCorFidelidade);
        QCOMPARE(colours.last(), TFrmPrincipal::kCorFidelidade);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QCOMPARE(f.statusColour(), TFrmPrincipal::kCorRede);
        QCOMPARE(colours.last(), TFrmPrincipal::kCorRede);
    }

    void noConnectionReport_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("with box") << true;
        QTest::newRow("quiet") << false;
    }
    void noConnectionReport()
    {
        QFETCH(bool, dialog);
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        f.msgSemConexao(dialog);
        const QString text
            = "Sem comunicação com o servidor ZENTrix! Verifique a conexão com a Internet...";
        QCOMPARE(f.lblStatus()->text(), text);
        QCOMPARE(f.memRetorno()->toPlainText(),
            QStringLiteral("Status: Erro ao tentar conectar ao Servidor ZENTrix!!!\n"
                           "Verifique se esse computador está conectado à Internet."));
        QCOMPARE(st.fp.dialogs->texts(), dialog ? QStringList { text } : QStringList());
        if (dialog) {
            QCOMPARE(st.fp.dialogs->messages.at(0).icon, MsgIcon::Error);
            QCOMPARE(st.fp.dialogs->messages.at(0).caption, QStringLiteral("ZENTrix"));
        }
    }

    void changeOfStationKind()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "1");
        st.setCfg("CONFIG", "IDMUNIC", cripLocal("3550308")); // no server refresh
        TFrmPrincipal &f = st.start({}, TFrmPrincipal::defaultComposer());
        int preselected = -1;
        st.fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            preselected = static_cast<TfrmTpSist &>(form).itemIndex();
            return int(QDialog::Accepted);
        });
        f.activatePage(Page::Config);
        ZX_FIND(QPushButton, alt, &f, "btnAltTpSist");
        QVERIFY(alt->isEnabled());
        QTest::mouseClick(alt, Qt::LeftButton);
        QCOMPARE(preselected, 0);
        QCOMPARE(st.kv("CODIGO"), QStringLiteral("1"));
        QCOMPARE(st.fp.dialogs->texts(), QStringList { "Reinicie o aplicativo!!!" });
        QVERIFY(!f.isVisible());
    }

    void changeOfStationKindStored()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        st.setKv("CODIGO", "1");
        TFrmPrincipal &f = st.start();
        st.fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            static_cast<TfrmTpSist &>(form).setItemIndex(2);
            return int(QDialog::Accepted);
        });
        f.btnAltTpSistClick();
        QCOMPARE(st.kv("CODIGO"), QStringLiteral("3"));
        QCOMPARE(st.fp.dialogs->texts(), QStringList { "Reinicie o aplicativo!!!" });
        QVERIFY(!f.isVisible());
    }
};

QTEST_MAIN(TstFrame)
#include "tst_frame.moc"
