#include "helper_servicetest.h"

#include "config/IniFile.h"
#include "config/StationSettings.h"
#include "service/Atualizacao.h"
#include "service/ProgramFormats.h"
#include "service/ServiceSettings.h"
#include "service/Twc.h"
#include "service/VersaoPrograma.h"

#include <QFile>
#include <QTest>

using namespace zx;
using namespace zxtest;

namespace {
FakeResponse relogio(const QString &versao, const QString &data, const QString &hora)
{
    return FakeSoapServer::soapString("getDatHor",
        QString::fromLatin1(registro({ "VERSAO", "DATA", "HORA" }, { versao, data, hora })));
}

void criaPacote()
{
    QFile f(Platform::paths().inProgram(kPacoteAtualizacao));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("PK parcial");
}
} // namespace

class TstClock : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void compVersAttStripsTheMarker_data()
    {
        QTest::addColumn<QString>("resposta");
        QTest::addColumn<QString>("versLocal");
        QTest::addColumn<QString>("restante");
        QTest::addColumn<QString>("versWEB");
        QTest::addColumn<bool>("maisNova");
        const QString lista = "<?xml version='1.0'?><DATASET></DATASET>";
        QTest::newRow("newer") << lista + "VERSA_EXECU=3.0.1.7"
                               << "3.0.1.6" << lista << "3.0.1.7" << true;
        QTest::newRow("no local version") << lista + "VERSA_EXECU=3.0.1.7"
                                          << "" << lista << "3.0.1.7" << false;
        QTest::newRow("no marker") << lista << "3.0.1.6" << lista << "(antes)" << false;
        QTest::newRow("digits, not parts") << "xVERSA_EXECU=3.0.10.0"
                                           << "3.1.0.0"
                                           << "x"
                                           << "3.0.10.0" << true;
        QTest::newRow("older server") << "xVERSA_EXECU=3.0.1.5"
                                      << "3.0.1.6"
                                      << "x"
                                      << "3.0.1.5" << false;
        QTest::newRow("same version") << "xVERSA_EXECU=3.0.1.6"
                                      << "3.0.1.6"
                                      << "x"
                                      << "3.0.1.6" << false;
        QTest::newRow("ten characters only") << "xVERSA_EXECU=3.0.1.7    lixo"
                                             << "3.0.1.6"
                                             << "x"
                                             << "3.0.1.7   " << true;
        QTest::newRow("digit-less server version") << "xVERSA_EXECU="
                                                   << "3.0.1.6"
                                                   << "x"
                                                   << "" << false;
    }
    void compVersAttStripsTheMarker()
    {
        QFETCH(QString, resposta);
        QFETCH(QString, versLocal);
        QFETCH(QString, restante);
        QFETCH(QString, versWEB);
        QFETCH(bool, maisNova);
        Twc wc;
        wc.versLocal = versLocal;
        QString v = "(antes)";
        QCOMPARE(wc.compVersAtt(resposta, v), maisNova);
        QCOMPARE(resposta, restante);
        QCOMPARE(v, versWEB);
    }

    void versionsCompareAsWholeNumbers_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sinal");
        QTest::newRow("equal with leading zeros") << "03.0.1.6"
                                                  << "3.0.1.6" << 0;
        QTest::newRow("empty is zero") << ""
                                       << "0" << 0;
        QTest::newRow("longer number") << "3.0.10.0"
                                       << "3.1.0.0" << 1;
        QTest::newRow("beyond 64 bits") << "99999999999999999999.1"
                                        << "99999999999999999999.2" << -1;
    }
    void versionsCompareAsWholeNumbers()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sinal);
        const int r = comparaVersao(a, b);
        QCOMPARE((r > 0) - (r < 0), sinal);
    }

    void dispAposCprVersRaisesTheEventWithTheCleanReply()
    {
        Twc wc;
        wc.versLocal = "3.0.1.6";
        QString visto;
        bool flag = false;
        wc.AposCprVers = [&](Twc &sender, QString &retorno, bool &difer, QString &vers) {
            QCOMPARE(&sender, &wc);
            visto = retorno + "|" + vers;
            flag = difer;
            retorno = "trocado";
        };
        QString resposta = "<R/>VERSA_EXECU=3.0.1.9";
        QString vers;
        wc.dispAposCprVers(resposta, vers);
        QCOMPARE(visto, QStringLiteral("<R/>|3.0.1.9"));
        QVERIFY(flag);
        QCOMPARE(resposta, QStringLiteral("trocado"));
    }

    void newerVersionStartsTheDownloadHidden()
    {
        FakePlatform fp;
        Twc wc;
        wc.versLocal = "3.0.1.6";
        wc.AposCprVers = aposCprVersBaixa();
        IniFile ini(StationSettings::installFilePath());
        ini.writeString("CONFIG", "URL_ATUALIZA", "http://exemplo.test/pacote/Zentrix.zip");
        QString resposta = "<R/>VERSA_EXECU=3.0.1.7";
        QString vers;
        wc.dispAposCprVers(resposta, vers);
        QCOMPARE(fp.processes->started.size(), 1);
        const FakeProcesses::Started &s = fp.processes->started.first();
#ifndef Q_OS_WIN
        QCOMPARE(s.program, QStringLiteral("wget"));
#endif
        QCOMPARE(s.arguments,
            QStringList({ "-c", "-O", "Zentrix.zip", "http://exemplo.test/pacote/Zentrix.zip" }));
        QCOMPARE(s.workingDir, fp.programFolder());
        QVERIFY(s.hidden);
        QCOMPARE(StationSettings().versBx(), QStringLiteral("3.0.1.7"));

        // The same version again: nothing newer, nothing started.
        resposta = "<R/>VERSA_EXECU=3.0.1.6";
        wc.dispAposCprVers(resposta, vers);
        QCOMPARE(fp.processes->started.size(), 1);
    }

    void downloadButtonWithoutPackageAsksNothing()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        StationSettings().setVersBx("3.0.1.5");
        Twc wc;
        baixaAtualizacao(wc, true, QString());
        QVERIFY(server.requests.isEmpty());
        QCOMPARE(fp.processes->started.size(), 1);
        QVERIFY(!fp.processes->started.first().hidden);
        QCOMPARE(
            fp.processes->started.first().arguments.last(), ServiceSettings::defaultUpdateUrl());
        QCOMPARE(StationSettings().versBx(), QString());
    }

    void packageIsDroppedOnlyWhenOlder_data()
    {
        QTest::addColumn<QString>("versBx");
        QTest::addColumn<QString>("versao");
        QTest::addColumn<bool>("mantido");
        QTest::newRow("older package") << "3.0.1.6"
                                       << "3.0.1.7" << false;
        QTest::newRow("same package") << "3.0.1.7"
                                      << "3.0.1.7" << true;
        QTest::newRow("no record of it") << ""
                                         << "3.0.1.7" << false;
    }
    void packageIsDroppedOnlyWhenOlder()
    {
        QFETCH(QString, versBx);
        QFETCH(QString, versao);
        QFETCH(bool, mantido);
        FakePlatform fp;
        StationSettings().setVersBx(versBx);
        criaPacote();
        Twc wc;
        baixaAtualizacao(wc, false, versao);
        QCOMPARE(QFile::exists(Platform::paths().inProgram("Zentrix.zip")), mantido);
        QCOMPARE(StationSettings().versBx(), versao);
        QCOMPARE(fp.processes->started.size(), 1);
    }

    void packagePresentWithoutVersionAsksTheServer()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = relogio("3.0.1.8", "11/12/2026", "10:00:00");
        StationSettings().setVersBx("3.0.1.7");
        criaPacote();
        EspiaoAguarde espiao;
        Twc wc;
        baixaAtualizacao(wc, true, QString());
        QCOMPARE(server.requests.size(), 1);
        QCOMPARE(espiao.mostrados.first(), QStringLiteral("Aguarde!!! comparando as versões..."));
        QVERIFY(!frmAguarde());
        QVERIFY(!QFile::exists(Platform::paths().inProgram("Zentrix.zip")));
        QCOMPARE(StationSettings().versBx(), QStringLiteral("3.0.1.8"));
    }

    void missingDownloaderFailsSilently()
    {
        FakePlatform fp;
        fp.processes->succeeds = false;
        Twc wc;
        baixaAtualizacao(wc, false, "3.0.1.9");
        QVERIFY(fp.dialogs->messages.isEmpty());
        QCOMPARE(StationSettings().versBx(), QStringLiteral("3.0.1.9"));
    }

    void serverClockGivesDateTimeAndVersion()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = relogio("3.0.2.0", "05/01/2027", "23:59:58");
        Twc wc;
        QString versao;
        QCOMPARE(wc.getDatWEB(versao), QDate(2027, 1, 5));
        QCOMPARE(versao, QStringLiteral("3.0.2.0"));
        QCOMPARE(server.requests.first().path, QByteArray("/ws/kv3.asmx"));
        QCOMPARE(server.requests.first().header("SOAPAction"),
            QByteArray("\"http://tempuri.org/getDatHor\""));
        versao.clear();
        QCOMPARE(wc.getHoraWEB(versao), QTime(23, 59, 58));
        QCOMPARE(versao, QStringLiteral("3.0.2.0"));
        QVERIFY(fp.dialogs->messages.isEmpty());
        QVERIFY(programFormatsActive());
    }

    void serverClockWithoutRowOrAfterFailure_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("versaoDepois");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("no row") << "vazio"
                                << "(antes)" << QStringList();
        QTest::newRow("unreadable date") << "data"
                                         << "3.0.2.0" << QStringList();
        QTest::newRow("refused") << "recusada"
                                 << "(antes)" << QStringList { kMsgConexaoPagina };
        QTest::newRow("fault") << "fault"
                               << "(antes)" << QStringList { kMsgConexaoPagina };
        QTest::newRow("not a record list") << "lixo"
                                           << "(antes)" << QStringList { kMsgConexaoPagina };
    }
    void serverClockWithoutRowOrAfterFailure()
    {
        QFETCH(QString, caso);
        QFETCH(QString, versaoDepois);
        QFETCH(QStringList, mensagens);
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(caso == "recusada" ? FakeSoapServer::refusedBaseUrl() : server.baseUrl());
        if (caso == "vazio")
            server.fallback
                = FakeSoapServer::soapString("getDatHor", "<?xml version=\"1.0\"?><D></D>");
        else if (caso == "data")
            server.fallback = relogio("3.0.2.0", "32/13/2027", "x");
        else if (caso == "fault")
            server.fallback = FakeSoapServer::soapFault("falhou");
        else if (caso == "lixo")
            server.fallback = FakeSoapServer::soapString("getDatHor", "<html>");
        Twc wc;
        QString versao = "(antes)";
        QCOMPARE(wc.getDatWEB(versao), QDate());
        QCOMPARE(versao, versaoDepois);
        QCOMPARE(fp.dialogs->texts(), mensagens);
        if (!mensagens.isEmpty())
            QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
        QVERIFY(programFormatsActive());
    }

    void probeShowsTheGreetingOrTheFailure()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = FakeSoapServer::soapString("getResp", "Servidor ZENTrix em operação");
        EspiaoAguarde espiao;
        Twc wc;
        QCOMPARE(wc.getConWS(true), QStringLiteral("Servidor ZENTrix em operação"));
        QCOMPARE(server.requests.first().path, QByteArray("/ws/kv1.asmx"));
        QCOMPARE(server.requests.first().header("SOAPAction"),
            QByteArray("\"http://tempuri.org/getResp\""));
        QCOMPARE(espiao.mostrados, QStringList { "Testando a situação da conexão..." });
        QCOMPARE(fp.dialogs->texts(), QStringList { "Servidor ZENTrix em operação" });
        QVERIFY(!frmAguarde());

        // Silent probe: no window, no message.
        fp.dialogs->clear();
        espiao.mostrados.clear();
        QCOMPARE(wc.getConWS(false), QStringLiteral("Servidor ZENTrix em operação"));
        QVERIFY(espiao.mostrados.isEmpty());
        QVERIFY(fp.dialogs->messages.isEmpty());

        apontaServidor(FakeSoapServer::refusedBaseUrl());
        QCOMPARE(wc.getConWS(false), kMsgConexaoPagina);
        QVERIFY(fp.dialogs->messages.isEmpty());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(wc.getConWS(true), kMsgConexaoPagina);
        QCOMPARE(fp.dialogs->texts(), QStringList { kMsgConexaoPagina });
        QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
        QVERIFY(!frmAguarde());
        QVERIFY(programFormatsActive());
    }
};

QTEST_MAIN(TstClock)
#include "tst_clock.moc"
