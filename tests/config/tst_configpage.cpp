#include "TestSupport.h"
#include "config/ConfigPage.h"
#include "config/ConfigPageHooks.h"
#include "config/CripLocal.h"
#include "config/StationHttpClient.h"
#include "config/StationSettings.h"
#include "helper_files.h"
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"
#include "shell/MainState.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace zx;

namespace {
const QString kCnpjValido = QStringLiteral("11222333000181");

using configtest::readAll;

// A fresh station with its tables, the state the frame would hold and the page.
struct Station {
    FakePlatform fp;
    TDM dm;
    MainState state;
    StationHttpClient http;
    std::unique_ptr<ConfigPage> page;
    Station()
    {
        dm.criaTabelas();
        page = newPage();
    }
    std::unique_ptr<ConfigPage> newPage()
    {
        auto p = std::make_unique<ConfigPage>(dm, state);
        p->setHttpClient(&http);
        return p;
    }
    template <typename T> T *w(const QString &name) { return zxtest::byName<T>(page.get(), name); }
    void set(const QString &name, const QString &text) { w<QLineEdit>(name)->setText(text); }
    QString text(const QString &name) { return w<QLineEdit>(name)->text(); }
    bool checked(const QString &name) { return w<QAbstractButton>(name)->isChecked(); }
    void save() { w<QPushButton>("btnAlterar")->click(); }
    // The company row as stored.
    QStringList row()
    {
        DbfTable &t = dm.CDSParamet;
        t.close();
        if (!t.open() || !t.first())
            return {};
        QStringList out;
        for (const char *c :
            { "DESCR_FORN", "FANTA_FORN", "CNPJ_FORNE", "ENDER_FORN", "FONE_FORNE" })
            out << t.asString(QString::fromLatin1(c));
        t.close();
        return out;
    }
    int rows()
    {
        DbfTable &t = dm.CDSParamet;
        t.close();
        const int n = t.open() ? t.recordCount() : -1;
        t.close();
        return n;
    }
    // Bytes of the three files the page writes.
    QList<QByteArray> files()
    {
        return { readAll(StationSettings::stationFilePath()),
            readAll(StationSettings::installFilePath()), readAll(dm.CDSParamet.path()) };
    }
};

class RecordingHooks : public ConfigPageHooks {
public:
    QStringList calls;
    QString cnpjSeen;
    void buscaDadosEmpresa(ConfigPage &page) override
    {
        cnpjSeen = page.cnpjConsulta();
        calls << "buscaDadosEmpresa";
    }
    void buscaListaEmpresas(ConfigPage &) override { calls << "buscaListaEmpresas"; }
    void atualizaParamWeb(ConfigPage &) override { calls << "atualizaParamWeb"; }
    void baixaAtualizacao(ConfigPage &) override { calls << "baixaAtualizacao"; }
    void alteraTipoSistema(ConfigPage &) override { calls << "alteraTipoSistema"; }
    void encerraAplicacao(ConfigPage &) override { calls << "encerraAplicacao"; }
};
} // namespace

class TstConfigPage : public QObject {
    Q_OBJECT
private slots:
    void freshStationShowsDefaults()
    {
        Station st;
        QVERIFY(!QFile::exists(StationSettings::stationFilePath()));
        st.page->carregaConfig();
        QCOMPARE(st.page->objectName(), QStringLiteral("tabConfig"));
        QCOMPARE(ConfigPage::caption(), QStringLiteral("C&onfigurações"));
        QCOMPARE(st.text("EdtPorta"), QStringLiteral("LPT1"));
        QCOMPARE(st.text("EdtNrCopias"), QStringLiteral("2"));
        QCOMPARE(st.text("EdtLinAvan"), QStringLiteral("5"));
        QCOMPARE(st.text("edtTemplim"), QStringLiteral("60"));
        QVERIFY(st.checked("RGTpImpress0"));
        QCOMPARE(st.w<QRadioButton>("RGTpImpress0")->text(), QStringLiteral("Matricial"));
        QCOMPARE(st.w<QGroupBox>("RGTpImpress")->title(), QStringLiteral("Tipo de Impressão:"));
        QVERIFY(
            !st.checked("ChBxVisAut") && !st.checked("ChBxHabParc") && !st.checked("ChBxRelExcel"));
        QVERIFY(st.checked("ChbxForcNumLock"));
        QVERIFY(st.w<QGroupBox>("GbConexao")->isHidden());
        QVERIFY(!st.w<QPushButton>("btnAlterar")->isEnabled());
        for (const char *b : { "BtnBuscDad", "BtnBxAtual", "btnAltTpSist" })
            QVERIFY2(!st.w<QPushButton>(b)->isEnabled(), b); // no hooks installed
        QCOMPARE(
            readAll(StationSettings::stationFilePath()), QByteArray("[SISTEMA]\r\nPORTA=LPT1\r\n"));
        QVERIFY(st.fp.dialogs->messages.isEmpty());
    }

    void everyFieldEnablesAlterar_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : { "edtRazao", "EdtFantasia", "edtCNPJ", "edtEnderec", "edtTelefone",
                 "EdtNrCopias", "EdtLinAvan", "ChBxVisAut", "EdtPorta", "RGTpImpress1",
                 "edtTemplim", "ChBxHabParc", "ChBxRelExcel", "ChbxForcNumLock", "ChBxConProxy",
                 "EdtSerProxy", "EdtPortProxy", "EdtUsuarProxy", "EdtSenProxy", "ChBxAutBasic" })
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void everyFieldEnablesAlterar()
    {
        QFETCH(QString, name);
        Station st;
        st.page->carregaConfig();
        QVERIFY(!st.page->alteracaoPendente());
        QWidget *w = st.w<QWidget>(name);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(QStringLiteral("12"));
        else
            qobject_cast<QAbstractButton *>(w)->click();
        QVERIFY(st.w<QPushButton>("btnAlterar")->isEnabled());
    }

    void savesAndReloadsEveryField()
    {
        Station st;
        st.page->carregaConfig();
        // Typed one key at a time, accents included.
        QLineEdit *razao = st.w<QLineEdit>("edtRazao");
        for (const QChar c : QStringLiteral("comércio açaí ltda")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(razao, &press);
        }
        st.set("EdtFantasia", "açaí do zé");
        st.set("edtCNPJ", kCnpjValido);
        st.set("edtEnderec", "rua a, 1 - centro");
        st.set("edtTelefone", "(11)3333-4444");
        st.set("EdtNrCopias", "3");
        st.set("EdtLinAvan", "8");
        st.set("EdtPorta", "/dev/lp1");
        st.set("edtTemplim", "45");
        st.set("EdtSerProxy", "proxy.local");
        st.set("EdtPortProxy", "3128");
        st.set("EdtUsuarProxy", "caixa");
        st.set("EdtSenProxy", "s3nha");
        for (const char *c : { "ChBxVisAut", "ChBxHabParc", "ChBxRelExcel", "ChbxForcNumLock",
                 "ChBxConProxy", "ChBxAutBasic", "RGTpImpress2" })
            st.w<QAbstractButton>(c)->click();
        QCOMPARE(st.text("edtRazao"), QStringLiteral("COMÉRCIO AÇAÍ LTDA"));
        st.save();
        QCOMPARE(st.fp.dialogs->texts(), QStringList());
        QVERIFY(!st.page->alteracaoPendente());

        // What the rest of the program sees at once.
        QCOMPARE(st.state.stationCnpj, kCnpjValido);
        QCOMPARE(st.dm.nomeEmpresa, QStringLiteral("AÇAÍ DO ZÉ"));
        QCOMPARE(st.state.companyName, QStringLiteral("AÇAÍ DO ZÉ"));
        QVERIFY(st.state.installmentsEnabled);
        QCOMPARE(st.http.readTimeout(), 45000);
        QCOMPARE(st.http.proxyHost(), QStringLiteral("proxy.local"));
        QCOMPARE(st.http.proxyPassword(), QStringLiteral("s3nha"));

        // On disk: digits only in the row, flags as 1/2, proxy credentials scrambled.
        QCOMPARE(st.row(),
            QStringList({ "COMÉRCIO AÇAÍ LTDA", "AÇAÍ DO ZÉ", kCnpjValido, "RUA A, 1 - CENTRO",
                "1133334444" }));
        const QByteArray kv = readAll(StationSettings::stationFilePath());
        for (const QByteArray &line :
            QList<QByteArray> { QByteArray("PORTA=/dev/lp1"), QByteArray("TIPO=2"),
                QByteArray("QTDCOP=3"), QByteArray("VISUAL=1"), QByteArray("PARCELAR=1"),
                QByteArray("REL_EXCEL=1"), QByteArray("LINAVANC=8"), QByteArray("TEMPLIMIT=45"),
                QByteArray("PROXY_UTIL=1"), QByteArray("PROXY_AUTBAS=1"),
                QByteArray("PROXY_SERV=proxy.local"), QByteArray("PROXY_PORT=3128"),
                "PROXY_USER=" + cripLocalBytes("caixa"), "PROXY_PASS=" + cripLocalBytes("s3nha") })
            QVERIFY2(kv.contains(QByteArray(line + "\r\n")), line.constData());
        QVERIFY(readAll(StationSettings::installFilePath()).contains("NUM_LOCK=2\r\n"));

        // A new page over the same station shows everything again.
        st.page = st.newPage();
        st.page->carregaConfig();
        QCOMPARE(st.text("edtRazao"), QStringLiteral("COMÉRCIO AÇAÍ LTDA"));
        QCOMPARE(st.text("EdtFantasia"), QStringLiteral("AÇAÍ DO ZÉ"));
        QCOMPARE(st.page->cnpjDigitos(), kCnpjValido);
        QCOMPARE(st.text("edtCNPJ"), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(st.text("edtEnderec"), QStringLiteral("RUA A, 1 - CENTRO"));
        QCOMPARE(st.text("edtTelefone"), QStringLiteral("(11)3333-4444"));
        QCOMPARE(st.text("EdtNrCopias"), QStringLiteral("3"));
        QCOMPARE(st.text("EdtLinAvan"), QStringLiteral("8"));
        QCOMPARE(st.text("EdtPorta"), QStringLiteral("/dev/lp1"));
        QCOMPARE(st.text("edtTemplim"), QStringLiteral("45"));
        QCOMPARE(st.text("EdtSerProxy"), QStringLiteral("proxy.local"));
        QCOMPARE(st.text("EdtPortProxy"), QStringLiteral("3128"));
        QCOMPARE(st.text("EdtUsuarProxy"), QStringLiteral("caixa"));
        QCOMPARE(st.text("EdtSenProxy"), QStringLiteral("s3nha"));
        QVERIFY(st.checked("RGTpImpress2"));
        QVERIFY(st.checked("ChBxVisAut") && st.checked("ChBxHabParc") && st.checked("ChBxRelExcel")
            && st.checked("ChBxConProxy") && st.checked("ChBxAutBasic"));
        QVERIFY(!st.checked("ChbxForcNumLock"));
        QVERIFY(!st.page->alteracaoPendente());
    }

    void unchangedPageWritesNothing()
    {
        Station st;
        st.page->carregaConfig();
        st.set("edtCNPJ", kCnpjValido);
        st.set("EdtFantasia", "LOJA");
        st.save();
        const QList<QByteArray> before = st.files();
        const QStringList paths = { StationSettings::stationFilePath(),
            StationSettings::installFilePath(), st.dm.CDSParamet.path() };
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-2);
        for (const QString &p : paths) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        st.page->carregaConfig();
        QVERIFY(st.page->gravaConfig(false));
        QCOMPARE(st.files(), before);
        for (const QString &p : paths)
            QVERIFY2(QFileInfo(p).lastModified().toUTC() == old, qPrintable(p));
    }

    void timeOutBelow30Refused_data()
    {
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<bool>("saved");
        QTest::newRow("29") << "29" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("30") << "30" << true;
        QTest::newRow("030") << "030" << true;
    }
    void timeOutBelow30Refused()
    {
        QFETCH(QString, segundos);
        QFETCH(bool, saved);
        Station st;
        st.page->carregaConfig();
        const QList<QByteArray> before = st.files();
        st.set("edtCNPJ", kCnpjValido);
        st.set("EdtPorta", "COM1");
        st.set("edtTemplim", segundos);
        st.page->show();
        st.page->activateWindow();
        st.save();
        if (saved) {
            QCOMPARE(st.fp.dialogs->texts(), QStringList());
            QVERIFY(readAll(StationSettings::stationFilePath())
                        .contains(QByteArray("TEMPLIMIT=" + segundos.toLatin1() + "\r\n")));
            QCOMPARE(st.rows(), 1);
            return;
        }
        QCOMPARE(st.fp.dialogs->texts(),
            QStringList({ "O Tempo limite não pode ser inferior a 30 segundos!!!" }));
        QCOMPARE(st.fp.dialogs->messages.first().caption, QStringLiteral("ZENTrix"));
        QCOMPARE(st.fp.dialogs->messages.first().icon, MsgIcon::Error);
        QCOMPARE(st.files(), before);
        QVERIFY(st.page->alteracaoPendente());
        QTRY_COMPARE(QApplication::focusWidget(), st.w<QWidget>("edtTemplim"));
    }

    void cnpjChecks_data()
    {
        QTest::addColumn<QString>("cnpj");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("rowWritten");
        QTest::newRow("valid") << kCnpjValido << false << QStringList() << true;
        QTest::newRow("no digits") << "" << false << QStringList({ "CNPJ Inválido!!!" }) << false;
        QTest::newRow("wrong check digits")
            << "11222333000182" << false << QStringList({ "CNPJ inválido!!!" }) << false;
        QTest::newRow("operator root") << "52846193000000" << false << QStringList() << true;
        QTest::newRow("quiet, no digits") << "" << true << QStringList() << true;
    }
    void cnpjChecks()
    {
        QFETCH(QString, cnpj);
        QFETCH(bool, quiet);
        QFETCH(QStringList, messages);
        QFETCH(bool, rowWritten);
        Station st;
        st.page->carregaConfig();
        st.set("edtCNPJ", cnpj);
        st.set("EdtPorta", "COM2");
        QCOMPARE(st.page->gravaConfig(quiet), rowWritten);
        QCOMPARE(st.fp.dialogs->texts(), messages);
        QCOMPARE(st.rows(), rowWritten ? 1 : 0);
        QCOMPARE(st.state.stationCnpj, rowWritten ? cnpj : QString());
        // The station settings are saved either way.
        QVERIFY(readAll(StationSettings::stationFilePath()).contains("PORTA=COM2\r\n"));
        QCOMPARE(st.page->alteracaoPendente(), !rowWritten);
    }

    void secondSaveEditsTheFirstRow()
    {
        Station st;
        st.page->carregaConfig();
        st.set("edtCNPJ", kCnpjValido);
        st.set("edtRazao", "PRIMEIRA");
        st.save();
        st.set("edtRazao", "SEGUNDA");
        st.save();
        QCOMPARE(st.rows(), 1);
        QCOMPARE(st.row().first(), QStringLiteral("SEGUNDA"));
    }

    void companyNameTakenOnlyWhenMissing()
    {
        Station st;
        st.page->carregaConfig();
        st.set("edtCNPJ", kCnpjValido);
        st.set("EdtFantasia", "LOJA");
        st.save();
        st.dm.nomeEmpresa.clear();
        st.page->carregaConfig();
        QCOMPARE(st.dm.nomeEmpresa, QStringLiteral("LOJA"));
        st.dm.nomeEmpresa = QStringLiteral("OUTRA EMPRESA"); // chosen at start
        st.page->carregaConfig();
        QCOMPARE(st.dm.nomeEmpresa, QStringLiteral("OUTRA EMPRESA"));
        QCOMPARE(st.state.companyName, QStringLiteral("OUTRA EMPRESA"));
    }

    void mobileNumberKeepsItsNinthDigit()
    {
        Station st;
        st.page->carregaConfig();
        st.state.stationCnpj = kCnpjValido;
        st.page->aplicaDadosEmpresa("Razão", "Fantasia", "Rua B", "(11) 98765-4321", "", "Centro");
        QCOMPARE(st.row().at(4), QStringLiteral("11987654321"));
        st.page->carregaConfig();
        QCOMPARE(st.text("edtTelefone"), QStringLiteral("(11)98765-4321"));
        QVERIFY(st.page->gravaConfig(false));
        QCOMPARE(st.row().at(4), QStringLiteral("11987654321"));
    }

    void serverCompanyDataSavedQuietly_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("endereco");
        QTest::newRow("number") << "120"
                                << "AV. PAULISTA, 120 - BELA VISTA";
        QTest::newRow("blank number") << "  "
                                      << "AV. PAULISTA, S/N - BELA VISTA";
    }
    void serverCompanyDataSavedQuietly()
    {
        QFETCH(QString, numero);
        QFETCH(QString, endereco);
        Station st;
        st.page->carregaConfig();
        st.state.stationCnpj = kCnpjValido;
        st.page->aplicaDadosEmpresa(
            "Empresa Ltda", "Empresa", "Av. Paulista", "1133334444", numero, "Bela Vista");
        QCOMPARE(st.fp.dialogs->texts(), QStringList());
        QCOMPARE(st.text("edtCNPJ"), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(st.row(),
            QStringList({ "EMPRESA LTDA", "EMPRESA", kCnpjValido, endereco, "1133334444" }));
    }

    void updateRegistrationRunsServerStepsThenEnds()
    {
        Station st;
        RecordingHooks hooks;
        st.page->setHooks(&hooks);
        st.page->carregaConfig();
        for (const char *b : { "BtnBuscDad", "BtnBxAtual", "btnAltTpSist" })
            QVERIFY2(st.w<QPushButton>(b)->isEnabled(), b);
        QCOMPARE(st.w<QPushButton>("BtnBuscDad")->text(), QStringLiteral("Atualizar cadastro"));
        st.state.stationCnpj = QStringLiteral("99999999000191");
        // Unsaved edits: the station CNPJ takes the field's.
        st.set("edtCNPJ", kCnpjValido);
        st.w<QPushButton>("BtnBuscDad")->click();
        QCOMPARE(hooks.cnpjSeen, kCnpjValido);
        QCOMPARE(hooks.calls,
            QStringList({ "buscaDadosEmpresa", "buscaListaEmpresas", "atualizaParamWeb",
                "encerraAplicacao" }));
        QCOMPARE(st.fp.dialogs->messages.size(), 1);
        const ShownMessage m = st.fp.dialogs->messages.first();
        QCOMPARE(m.text, QStringLiteral("Reinicie o aplicativo!!!"));
        QCOMPARE(m.caption, QStringLiteral("ZENTrix"));
        QCOMPARE(m.icon, MsgIcon::Warning);

        // Saved page and a station CNPJ: it is kept.
        hooks.calls.clear();
        st.page->carregaConfig();
        st.state.stationCnpj = QStringLiteral("99999999000191");
        st.w<QPushButton>("BtnBuscDad")->click();
        QCOMPARE(hooks.cnpjSeen, QStringLiteral("99999999000191"));

        hooks.calls.clear();
        st.w<QPushButton>("BtnBxAtual")->click();
        st.w<QPushButton>("btnAltTpSist")->click();
        QCOMPARE(hooks.calls, QStringList({ "baixaAtualizacao", "alteraTipoSistema" }));
    }
};

QTEST_MAIN(TstConfigPage)
#include "tst_configpage.moc"
