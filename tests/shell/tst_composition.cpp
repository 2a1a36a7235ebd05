// The program's window with its business pages composed: what the pages read from the
// window's state and what the service client receives.
#include "TestSupport.h"
#include "helper_shell.h"

#include "config/CripLocal.h"
#include "service/Twc.h"
#include "shell/ShellHooks.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zx;
using shelltest::Station;

namespace {
// A merchant station that needs nothing from the server at start.
void offline(Station &st)
{
    st.setCompany(shelltest::kCnpj, "PADARIA CENTRAL");
    st.setKv("CODIGO", "1");
    st.setCfg("CONFIG", "IDMUNIC", cripLocal("3550308"));
}
} // namespace

class TstComposition : public QObject {
    Q_OBJECT
private slots:
    void integrationValueOnTheSalePage_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("amount") << "1234"
                                << "12,34" << true;
        QTest::newRow("not an amount") << "ABC"
                                       << "" << false;
    }
    void integrationValueOnTheSalePage()
    {
        QFETCH(QString, argument);
        QFETCH(QString, value);
        QFETCH(bool, readOnly);
        Station st;
        offline(st);
        const QString path = st.fp.root() + "/integra.txt";
        st.setCfg("CONFIG", "PATHINTEGRACAO", path);
        TFrmPrincipal &f = st.start({ argument }, TFrmPrincipal::defaultComposer());
        QVERIFY(f.startupFinished());
        QVERIFY(f.state().integrationMode);
        ZX_FIND(QLineEdit, valor, &f, "EdtValor");
        QCOMPARE(valor->text(), value);
        QCOMPARE(valor->isReadOnly(), readOnly);
        f.close();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(
            file.readAll(), QByteArray("2 NAO AUTORIZADA                                \r\n"));
    }

    void serviceClientReceivesTheStation()
    {
        Station st;
        offline(st);
        Twc &wc = Twc::instance();
        wc.cnpjEstac.clear();
        TFrmPrincipal &f = st.start({}, TFrmPrincipal::defaultComposer());
        QVERIFY(f.startupFinished());
        QCOMPARE(wc.cnpjEstac, shelltest::kCnpj);
        QCOMPARE(wc.versLocal, QStringLiteral("3.0.1.6"));
        QCOMPARE(wc.unidRel, QString(st.fp.programFolder().at(0)));
        QCOMPARE(wc.corAguarde, TFrmPrincipal::kCorRede);
        QCOMPARE(wc.nomeEstab, QStringLiteral("PADARIA CENTRAL"));
        QVERIFY(wc.AposCprVers);
    }

    void pagesJoinTheirSteps()
    {
        Station st;
        TFrmPrincipal &f = st.create({}, TFrmPrincipal::defaultComposer());
        QCOMPARE(f.hooks().names(StartupStep::PendingSales), QStringList { "verifSolicPend" });
        QCOMPARE(f.hooks().names(CloseStep::PendingSales), QStringList { "verifSolicPend" });
        QCOMPARE(f.hooks().names(StartupStep::ServerRefresh), QStringList { "atualizaParamWeb" });
        QCOMPARE(
            f.hooks().names(StartupStep::CompanyListFetch), QStringList { "buscaListaEmpresas" });
        for (HotKey k : { HotKey::AltT, HotKey::CtrlShiftB, HotKey::F11 })
            QVERIFY(f.hooks().key(k));
        QVERIFY(f.configHooks());
        for (const char *b : { "BtnBuscDad", "BtnBxAtual", "btnAltTpSist" }) {
            ZX_FIND(QPushButton, button, &f, QLatin1String(b));
            QVERIFY2(button->isEnabled(), b);
        }
        QVERIFY(f.validarButton()->isEnabled());
    }
};

QTEST_MAIN(TstComposition)
#include "tst_composition.moc"
