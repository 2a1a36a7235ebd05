#include "helper_servicetest.h"

#include "config/StationSettings.h"
#include "service/ProgramFormats.h"
#include "service/SqlText.h"
#include "service/Twc.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"

#include <QTest>

using namespace zx;
using namespace zxtest;

namespace {
// A reply to getDSXML2: the record list packed as the server packs it.
FakeResponse dsxml(const QString &recordList)
{
    return FakeSoapServer::soapBase64(QStringLiteral("getDSXML2"), empacota(recordList));
}
} // namespace

class TstRemoteData : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void getDSXMLSendsTheExactEnvelope()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = dsxml(QString::fromLatin1(registro({ "A" }, { "1" })));
        Twc wc;
        const QString id = wc.getIDWeb();
        const QString sql = QStringLiteral("select DESCR_PESSO from KV_PESSOA where CNPJ_PESSO = ")
            + encrip(QStringLiteral("12345678000195"));
        wc.getDSXML(id, sql, true);

        QCOMPARE(server.requests.size(), 1);
        const FakeRequest &req = server.requests.first();
        QCOMPARE(req.path, QByteArray("/ws/kv3.asmx"));
        QCOMPARE(req.header("SOAPAction"), QByteArray("\"http://tempuri.org/getDSXML2\""));
        QCOMPARE(req.header("Content-Type"), QByteArray("text/xml; charset=utf-8"));
        const QByteArray expected
            = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
              "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
              " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
              " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>"
              "<getDSXML2 xmlns=\"http://tempuri.org/\"><id>"
            + protocol::getZip(id).toBase64() + "</id><sql>" + protocol::getZip(sql).toBase64()
            + "</sql><dotNet>false</dotNet></getDSXML2></soap:Body></soap:Envelope>\n";
        QCOMPARE(req.body, expected);
        // The id is the web identifier of the station's date, packed.
        QCOMPARE(parteTexto(req, "id", true), protocol::getIDWeb(fp.clock->current.date()));
        QCOMPARE(parteTexto(req, "sql", true), sql);
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void namespaceAndBaseComeFromTheStation()
    {
        FakePlatform fp;
        FakeSoapServer server;
        IniFile ini(StationSettings::installFilePath());
        ini.writeString("CONFIG", "URL_WS", server.baseUrl().chopped(1)); // without the "/"
        ini.writeString("CONFIG", "NAMESPACE_WS", "urn:zentrix:teste/");
        server.fallback
            = FakeSoapServer::soapResult("execSQL2", "true", QStringLiteral("urn:zentrix:teste/"));
        Twc wc;
        QVERIFY(wc.execSQL(wc.getIDWeb(), "update KV_X set A = ENCRIP[1]", true));
        QCOMPARE(server.requests.first().path, QByteArray("/ws/kv3.asmx"));
        QCOMPARE(server.requests.first().header("SOAPAction"),
            QByteArray("\"urn:zentrix:teste/execSQL2\""));
    }

    void getDSXMLEscapesAmpersandsAndFoldsAccents()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = dsxml(QString::fromLatin1(registro({ "NOME" }, { "A & B Ação" })));
        Twc wc;
        const QString reply = wc.getDSXML(wc.getIDWeb(), "select NOME from KV_PESSOA", true);
        QVERIFY2(reply.contains("<NOME>A e_e B Acao</NOME>"), qPrintable(reply));
        const auto row = protocol::montRegUnicoXML(reply);
        QVERIFY(row);
        QCOMPARE(protocol::vlrRegByName(*row, "NOME"), QStringLiteral("A & B Acao"));
        QVERIFY(programFormatsActive());
    }

    void failuresEndInTheMessageAndTheErrorText_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("classe");
        QTest::newRow("connection refused") << "refused"
                                            << "EConexao";
        QTest::newRow("no answer") << "timeout"
                                   << "ETempoEsgotado";
        QTest::newRow("HTTP 500 page") << "http500"
                                       << "EHttp";
        QTest::newRow("SOAP fault") << "fault"
                                    << "ESoapFault";
        QTest::newRow("truncated zlib") << "truncated"
                                        << "ERespostaInvalida";
        QTest::newRow("oversized inflate") << "bomb"
                                           << "ERespostaInvalida";
        QTest::newRow("malformed envelope") << "malformed"
                                            << "ERespostaInvalida";
        QTest::newRow("HTTP 404") << "http404"
                                  << "EHttp";
    }
    void failuresEndInTheMessageAndTheErrorText()
    {
        QFETCH(QString, caso);
        QFETCH(QString, classe);
        FakePlatform fp;
        TempoCurto tempo(300);
        FakeSoapServer server;
        apontaServidor(caso == "refused" ? FakeSoapServer::refusedBaseUrl() : server.baseUrl());
        const qsizetype savedLimit = protocol::inflateLimit();
        if (caso == "timeout")
            server.fallback = FakeSoapServer::withMode(FakeResponse::Mode::Hang);
        else if (caso == "http500")
            server.fallback = FakeSoapServer::http(500, "<html>Internal Server Error</html>");
        else if (caso == "http404")
            server.fallback = FakeSoapServer::http(404, "not found");
        else if (caso == "fault")
            server.fallback = FakeSoapServer::soapFault("Identificação inválida");
        else if (caso == "truncated")
            server.fallback = FakeSoapServer::soapBase64(
                "getDSXML2", empacota(QString(2000, 'x') + "abc").left(9));
        else if (caso == "bomb") {
            protocol::setInflateLimit(64 * 1024);
            server.fallback
                = FakeSoapServer::soapBase64("getDSXML2", empacota(QString(1 << 20, 'A')));
        } else if (caso == "malformed")
            server.fallback
                = FakeSoapServer::http(200, "<soap:Envelope><soap:Body><getDSXML2Resp", "text/xml");

        Twc wc;
        const QString reply = wc.getDSXML(wc.getIDWeb(), "select 1", true);
        protocol::setInflateLimit(savedLimit);

        QVERIFY2(reply.startsWith("ERRO classe " + classe + " - Mensagem: "), qPrintable(reply));
        if (caso == "fault")
            QVERIFY(reply.endsWith("Identificação inválida"));
        QCOMPARE(fp.dialogs->messages.size(), 1);
        QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("Erro"));
        QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
        QCOMPARE(fp.dialogs->lastText(), kMsgConexaoInternet);
        QVERIFY(programFormatsActive());
        QVERIFY(!frmAguarde());

        // Without the flag the same failure is silent.
        fp.dialogs->clear();
        QLocale::setDefault(QLocale::c());
        if (caso == "bomb")
            protocol::setInflateLimit(64 * 1024);
        QVERIFY(wc.getDSXML(wc.getIDWeb(), "select 1", false).startsWith("ERRO classe " + classe));
        protocol::setInflateLimit(savedLimit);
        QVERIFY(fp.dialogs->messages.isEmpty());
        QVERIFY(programFormatsActive());
    }

    void execSQLGivesTheServersAnswer()
    {
        FakePlatform fp;
        TempoCurto tempo;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.responses.push_back(FakeSoapServer::soapBool("execSQL2", true));
        server.responses.push_back(FakeSoapServer::soapBool("execSQL2", false));
        server.responses.push_back(FakeSoapServer::http(500, "x"));
        server.responses.push_back(FakeSoapServer::http(500, "x"));
        Twc wc;
        const QString sql = "update KV_CARTAO set SITUA_CARTA = ENCRIP[1]";
        QVERIFY(wc.execSQL(wc.getIDWeb(), sql, true));
        QCOMPARE(parteTexto(server.requests.first(), "sql", true), sql);
        QCOMPARE(parteTexto(server.requests.first(), "id", true), wc.getIDWeb());
        QVERIFY(!wc.execSQL(wc.getIDWeb(), sql, true));
        QVERIFY(fp.dialogs->messages.isEmpty());
        QVERIFY(!wc.execSQL(wc.getIDWeb(), sql, false));
        QVERIFY(fp.dialogs->messages.isEmpty());
        QLocale::setDefault(QLocale::c());
        QVERIFY(!wc.execSQL(wc.getIDWeb(), sql, true));
        QCOMPARE(fp.dialogs->texts(), QStringList { kMsgConexaoInternet });
        QVERIFY(programFormatsActive());
    }

    void execTransNeedsSucessoInCapitals_data()
    {
        QTest::addColumn<QString>("resposta");
        QTest::addColumn<bool>("ok");
        QTest::newRow("capitals") << "OPERACAO REALIZADA COM SUCESSO" << true;
        QTest::newRow("lower case") << "sucesso" << false;
        QTest::newRow("refusal") << "ERRO ENCONTRADO: MENSA_RETOR=Cartão inexistente|" << false;
    }
    void execTransNeedsSucessoInCapitals()
    {
        QFETCH(QString, resposta);
        QFETCH(bool, ok);
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = FakeSoapServer::soapBase64("execTrans", empacota(resposta));
        Twc wc;
        const QString dados = QString::fromLatin1(registro({ "A" }, { "1" }));
        QCOMPARE(wc.execTrans(wc.getIDWebMD5(), dados), ok);
        QCOMPARE(parteTexto(server.requests.first(), "dadXML", true), dados);
        if (ok) {
            QVERIFY(fp.dialogs->messages.isEmpty());
        } else {
            QCOMPARE(fp.dialogs->messages.size(), 1);
            QCOMPARE(fp.dialogs->lastText(), resposta);
            QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::None);
        }
    }

    void execTransFailureIsSilent()
    {
        FakePlatform fp;
        TempoCurto tempo;
        apontaServidor(FakeSoapServer::refusedBaseUrl());
        Twc wc;
        QVERIFY(!wc.execTrans(wc.getIDWebMD5(), "x"));
        QVERIFY(fp.dialogs->messages.isEmpty());
        QVERIFY(programFormatsActive());
    }

    void getRegUnicoXMLShowsTheWaitWindowAndGivesTheFirstRow()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = dsxml("<?xml version=\"1.0\"?><DATASET><REGISTRO><NOME>Loja & "
                                "Cia</NOME><UF>SP</UF></REGISTRO>"
                                "<REGISTRO><NOME>Outra</NOME><UF>RJ</UF></REGISTRO></DATASET>");
        EspiaoAguarde espiao;
        Twc wc;
        const auto row = wc.getRegUnicoXML(wc.getIDWeb(), "select NOME, UF from KV_PESSOA");
        QVERIFY(row);
        QCOMPARE(row->campos, QStringList({ "NOME", "UF" }));
        QCOMPARE(row->valores, QStringList({ "Loja & Cia", "SP" }));
        QCOMPARE(espiao.mostrados, QStringList { "AGUARDE, buscando na Web" });
        QVERIFY(!frmAguarde());
        QCOMPARE(wc.getVlrUnicoXML(wc.getIDWeb(), "select NOME"), QStringLiteral("Loja & Cia"));
    }

    void getRegUnicoXMLWithoutRowOrWithABrokenReply_data()
    {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("no rows") << "<?xml version=\"1.0\"?><DATASET></DATASET>" << QStringList();
        QTest::newRow("empty reply") << "" << QStringList();
        QTest::newRow("not a record list")
            << "<html><body>Proxy</body>" << QStringList { kMsgConexaoInternet };
        QTest::newRow("server error")
            << "ERRO ENCONTRADO: MENSA_RETOR=Tabela bloqueada|MENSA_RETOR_DESCR=x"
            << QStringList { "Tabela bloqueada" };
    }
    void getRegUnicoXMLWithoutRowOrWithABrokenReply()
    {
        QFETCH(QString, lista);
        QFETCH(QStringList, mensagens);
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = dsxml(lista);
        Twc wc;
        QVERIFY(!wc.getRegUnicoXML(wc.getIDWeb(), "select 1"));
        QCOMPARE(fp.dialogs->texts(), mensagens);
        QVERIFY(!frmAguarde());
        fp.dialogs->clear();
        QCOMPARE(wc.getVlrUnicoXML(wc.getIDWeb(), "select 1"), QString());
    }

    void getParamReadsKeyValueTexts_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("message")
            << "ERRO ENCONTRADO: MENSA_RETOR=Senha inválida|MENSA_RETOR_DESCR=detalhe"
            << "MENSA_RETOR"
            << "Senha inválida";
        QTest::newRow("second key") << "A=1|MENSA_RETOR_DESCR=detalhe"
                                    << "MENSA_RETOR_DESCR"
                                    << "detalhe";
        QTest::newRow("missing key: first value") << "X=7|Y=8"
                                                  << "MENSA_RETOR"
                                                  << "7";
        QTest::newRow("last pair") << "A=1|B=2"
                                   << "B"
                                   << "2";
        QTest::newRow("no equals") << "SUCESSO"
                                   << "MENSA_RETOR"
                                   << "SUCESSO";
    }
    void getParamReadsKeyValueTexts()
    {
        QFETCH(QString, texto);
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        QCOMPARE(Twc::getParam(texto, chave), valor);
    }

    void encripKeepsEveryValueInsideItsMarker_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("marcador");
        QTest::newRow("digits") << "12345678000195"
                                << "ENCRIP[12345678000195]";
        QTest::newRow("amount") << "1000,00"
                                << "ENCRIP[1000,00]";
        QTest::newRow("break-out attempt") << "1] or 1=1 or CNPJ_PESSO = ENCRIP[2"
                                           << "ENCRIP[1 or 1=1 or CNPJ_PESSO = ENCRIP[2]";
        QTest::newRow("only brackets") << "]]"
                                       << "ENCRIP[]";
    }
    void encripKeepsEveryValueInsideItsMarker()
    {
        QFETCH(QString, valor);
        QFETCH(QString, marcador);
        const QString m = encrip(valor);
        QCOMPARE(m, marcador);
        // Exactly one "]", the closing one.
        QCOMPARE(m.count(QLatin1Char(']')), 1);
        QVERIFY(m.endsWith(QLatin1Char(']')));
    }
};

QTEST_MAIN(TstRemoteData)
#include "tst_remotedata.moc"
