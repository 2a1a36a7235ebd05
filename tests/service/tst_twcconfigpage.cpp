#include "helper_servicetest.h"

#include "TestSupport.h"
#include "common/Messages.h"
#include "config/ConfigPage.h"
#include "config/CripLocal.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "service/ConfigPageServidor.h"
#include "service/EmpresaServidor.h"
#include "service/Twc.h"
#include "shell/MainState.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zx;
using namespace zxtest;

namespace {
const QString kCnpj = QStringLiteral("11222333000181");

QByteArray leArquivo(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A station with its tables and page, whose server answers each statement by what
// it selects.
struct Estacao {
    FakePlatform fp;
    FakeSoapServer server;
    TDM dm;
    MainState state;
    Twc wc;
    QStringList sqls;
    QStringList encerrada;
    std::unique_ptr<ConfigPage> page;
    std::unique_ptr<ConfigPageServidor> hooks;
    QString empresa, lista, fornecedor, municipio;

    Estacao()
    {
        apontaServidor(server.baseUrl());
        dm.criaTabelas();
        page = std::make_unique<ConfigPage>(dm, state);
        hooks = std::make_unique<ConfigPageServidor>(
            wc, state, nullptr, [this](ConfigPage &) { encerrada << "fim"; });
        page->setHooks(hooks.get());
        page->carregaConfig();
        server.handler = [this](const FakeRequest &req) {
            const QString sql = parteTexto(req, "sql", true);
            sqls << sql;
            QString reply;
            if (sql.contains("DESCR_PESSO"))
                reply = empresa;
            else if (sql.contains("TIPO_INSTI"))
                reply = lista;
            else if (sql.contains("MXPAR_FORNE"))
                reply = fornecedor;
            else if (sql.contains("CHAVE_MUNIC"))
                reply = municipio;
            return FakeSoapServer::soapBase64("getDSXML2", empacota(reply));
        };
    }
    QString texto(const char *name) { return page->findChild<QLineEdit *>(name)->text(); }
};
} // namespace

class TstTwcConfigPage : public QObject {
    Q_OBJECT
private slots:
    void atualizarCadastroFillsTheCompanyFromTheServer()
    {
        Estacao st;
        st.page->findChild<QLineEdit *>("edtCNPJ")->setText(kCnpj);
        st.empresa = QString::fromLatin1(registro({ "DESCR_PESSO", "FANTA_PESSO", "LOGRA_PESSO",
                                                      "TELEF_PESSO", "NRRES_PESSO", "BAIRR_PESSO" },
            { "Mercado Bom Preço Ltda", "Bom Preço", "Rua das Flores", "1133334444", "",
                "Centro" }));
        st.lista = QString::fromLatin1(registro(
            { "CNPJ_PESSO", "FANTA_PESSO", "TIPO_INSTI" }, { kCnpj, "Bom Preço & Cia", "2" }));
        st.fornecedor
            = QString::fromLatin1(registro({ "PARCE_FORNE", "MUNIC_FORNE", "SEGME_FORNE",
                                               "CREDI_FIEL", "DESCO_FIEL", "VALOR_MENSA" },
                { "6", "3550", "4", "", "", "25,00" }));
        StationSettings().setTipPesq(2);
        st.page->findChild<QPushButton *>("BtnBuscDad")->click();

        // Company data: page filled and saved quietly into PARAMETRO.
        QCOMPARE(st.texto("edtRazao"), QStringLiteral("MERCADO BOM PRECO LTDA"));
        QCOMPARE(st.texto("EdtFantasia"), QStringLiteral("BOM PRECO"));
        QCOMPARE(st.texto("edtEnderec"), QStringLiteral("RUA DAS FLORES, S/N - CENTRO"));
        QCOMPARE(st.state.stationCnpj, kCnpj);
        QVERIFY(st.sqls.at(0).endsWith("where CNPJ_PESSO = ENCRIP[" + kCnpj + "]"));
        // Company list written as it came (escaped ampersand kept for its reader).
        const QByteArray lista = leArquivo(Platform::paths().inProgram("confInsti.xml"));
        QVERIFY2(lista.contains("<FANTA_PESSO>Bom Preco e_e Cia</FANTA_PESSO>"), lista.constData());
        QVERIFY(st.sqls.at(1).endsWith(
            "where P.CNPJ_RESPO = ENCRIP[" + kCnpj + "] or P.CNPJ_PESSO = ENCRIP[" + kCnpj + "]"));
        // Server settings.
        StationSettings s;
        QCOMPARE(s.idSeg(), 4);
        QCOMPARE(s.idMunic(), 3550 % 256);
        QVERIFY(s.parcelar());
        QCOMPARE(s.valorMensa(), QStringLiteral("25,00"));
        QCOMPARE(int(st.state.segmentCode), 4);
        QCOMPARE(st.state.employeeSearchKind, 2);
        QCOMPARE(st.sqls.size(), 3);
        // Then the program asks to be restarted and ends.
        QCOMPARE(st.fp.dialogs->texts(), QStringList { "Reinicie o aplicativo!!!" });
        QCOMPARE(st.encerrada, QStringList { "fim" });
    }

    void companyListKeepsTheFileOnABadReply_data()
    {
        QTest::addColumn<QString>("resposta");
        QTest::addColumn<bool>("recusada");
        QTest::newRow("blank") << "" << false;
        QTest::newRow("not a record list") << "<html>proxy</html>" << false;
        QTest::newRow("refused connection") << "" << true;
    }
    void companyListKeepsTheFileOnABadReply()
    {
        QFETCH(QString, resposta);
        QFETCH(bool, recusada);
        Estacao st;
        const QString path = Platform::paths().inProgram("confInsti.xml");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<antigo/>");
        f.close();
        if (recusada)
            apontaServidor(FakeSoapServer::refusedBaseUrl());
        st.lista = resposta;
        QVERIFY(!buscaListaEmpresas(st.wc, kCnpj));
        QCOMPARE(leArquivo(path), QByteArray("<antigo/>"));
    }

    void institutionGetsOnlyTheMunicipality()
    {
        Estacao st;
        st.state.stationCnpj = kCnpj;
        StationSettings().setIdSeg("7");
        st.state.segmentCode = 7;
        st.fornecedor = "<?xml version=\"1.0\"?><DATASET></DATASET>";
        st.municipio = QString::fromLatin1(registro({ "MUNIC_FORNE" }, { "12" }));
        atualizaParamWeb(st.wc, st.state);
        QCOMPARE(st.sqls.size(), 2);
        QVERIFY(st.sqls.at(1).startsWith("select P.CHAVE_MUNIC as MUNIC_FORNE from KV_PESSOA P"));
        QCOMPARE(StationSettings().idMunic(), 12);
        QCOMPARE(int(st.state.municipalityCode), 12);
        QCOMPARE(StationSettings().idSeg(), 7);
        QVERIFY(st.fp.dialogs->messages.isEmpty());
    }

    void unreachableServerStopsAfterOneMessage()
    {
        Estacao st;
        st.state.stationCnpj = kCnpj;
        TempoCurto tempo;
        apontaServidor(FakeSoapServer::refusedBaseUrl());
        atualizaParamWeb(st.wc, st.state);
        QCOMPARE(st.fp.dialogs->texts(), QStringList { kMsgConexaoInternet });
        QCOMPARE(StationSettings().idMunic(), 0);
    }
};

QTEST_MAIN(TstTwcConfigPage)
#include "tst_twcconfigpage.moc"
