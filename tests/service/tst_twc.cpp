#include "helper_servicetest.h"

#include "common/Messages.h"
#include "service/ProgramFormats.h"
#include "service/TFrmAguaLogin.h"
#include "service/Twc.h"
#include "service/kv1Soap.h"
#include "service/kv1_FSoap.h"
#include "service/kv2Soap.h"
#include "service/kv3Soap.h"
#include "service/kv3_FSoap.h"
#include "service/protocol/ServiceCatalog.h"
#include "service/servicoSoap.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace zx;
using namespace zxtest;

class TstTwc : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { fechaAguarde(); }

    void waitWindowShowsTheCaptionInTheColour()
    {
        mostraAguarde("AGUARDE, buscando na Web", QColor(10, 20, 30));
        TFrmAguaLogin *w = frmAguarde();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->size(), QSize(488, 101));
        QCOMPARE(w->lblMensagem()->text(), QStringLiteral("AGUARDE, buscando na Web"));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(10, 20, 30));
        QVERIFY(!w->gauge()->isVisible());
        QVERIFY(!w->btnCancelar()->isVisible());
        // A second call reuses the window.
        mostraAguarde("outro", Qt::red);
        QCOMPARE(frmAguarde(), w);
        QCOMPARE(w->mensagem(), QStringLiteral("outro"));
        fechaAguarde();
        QVERIFY(!frmAguarde());
        fechaAguarde(); // nothing to close: harmless
        QVERIFY(!passoAguarde(5));
    }

    void stepsCountAndEscapeCancels()
    {
        mostraAguarde("Processando", Qt::blue);
        TFrmAguaLogin *w = frmAguarde();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!passoAguarde(10));
        QVERIFY(w->gauge()->isVisible());
        QVERIFY(w->btnCancelar()->isVisible());
        QCOMPARE(w->gauge()->maximum(), 10);
        QCOMPARE(w->gauge()->value(), 3);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(w->isVisible()); // Escape only raises the flag
        QVERIFY(passoAguarde(10));
        QCOMPARE(w->gauge()->value(), 4);
        // Showing again clears the flag and starts the gauge anew.
        w->hide();
        mostraAguarde("De novo", Qt::blue);
        QVERIFY(!passoAguarde(7));
        QCOMPARE(w->gauge()->maximum(), 7);
        QCOMPARE(w->gauge()->value(), 1);
        w->btnCancelar()->click();
        QVERIFY(passoAguarde(7));
    }

    void operationShapeOnSuccessAndFailure()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.responses.push_back(FakeSoapServer::soapBase64("getResCart", empacota("<ok/>")));
        EspiaoAguarde espiao;
        Twc wc;
        wc.corAguarde = QColor(0, 128, 0);
        QColor corVista;
        const QString r = wc.operacao(
            FormaOperacao { .aguarde = "AGUARDE, consultando...", .falha = MsgConexao::Internet },
            QString(), [&] {
                corVista = frmAguarde()->palette().color(QPalette::Window);
                kv1Soap kv1;
                return Twc::unzip(kv1.getResCart(Twc::zip("a"), Twc::zip("b")));
            });
        QCOMPARE(r, QStringLiteral("<ok/>"));
        QVERIFY(!wc.ultimaFalha());
        QCOMPARE(corVista, QColor(0, 128, 0));
        QCOMPARE(espiao.mostrados, QStringList { "AGUARDE, consultando..." });
        QVERIFY(!frmAguarde());
        QVERIFY(programFormatsActive());
        QVERIFY(fp.dialogs->messages.isEmpty());

        // Anything raised inside the body is caught: window closed, formats restored,
        // the operation's message shown, the failure value given.
        QLocale::setDefault(QLocale::c());
        const QString f = wc.operacao(
            FormaOperacao { .aguarde = "AGUARDE", .falha = MsgConexao::Relatorio },
            QStringLiteral("EXCESSAO"), []() -> QString { throw std::runtime_error("quebrou"); });
        QCOMPARE(f, QStringLiteral("EXCESSAO"));
        QVERIFY(wc.ultimaFalha());
        QCOMPARE(wc.ultimaFalha()->kind(), ServiceError::Kind::Internal);
        QCOMPARE(fp.dialogs->texts(), QStringList { kMsgConexaoRelatorio });
        QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("Erro"));
        QVERIFY(!frmAguarde());
        QVERIFY(programFormatsActive());
        // A program-format conversion works after the failure.
        bool ok = false;
        QCOMPARE(QLocale().toDouble("1.234,56", &ok), 1234.56);
        QVERIFY(ok);
    }

    void everyInterfaceOperationIsInTheCatalogue()
    {
        // The typed interfaces call operations by name: each must exist with the
        // parameter count the interface passes, or the call fails before any request.
        struct Op {
            QString service, name;
            int params;
        };
        const QList<Op> ops = {
            { "kv1", "getResp", 0 },
            { "kv1", "getResCart", 2 },
            { "kv1", "getAutoriz", 2 },
            { "kv1", "CancAutoriz", 2 },
            { "kv1_F", "getResp", 0 },
            { "kv1_F", "getResCart", 2 },
            { "kv1_F", "getAutoriz", 2 },
            { "kv1_F", "CancAutoriz", 2 },
            { "kv2", "getFuncSint", 2 },
            { "kv2", "getFuncAnalit", 2 },
            { "kv2", "getAutApFec", 2 },
            { "kv2", "getDebResFc", 2 },
            { "kv2", "getRelAut", 2 },
            { "kv2", "getERF", 2 },
            { "kv2", "getAutUserPer", 2 },
            { "kv2", "getResFcAl", 2 },
            { "kv2", "getCodCPTFol", 2 },
            { "kv2", "getTxtNFe", 2 },
            { "kv2", "addRPS", 2 },
            { "kv2", "setNF_RPS", 3 },
            { "kv2", "setRPSTx", 2 },
            { "kv2", "getNfPdf", 2 },
            { "kv2", "getFatFidelid", 2 },
            { "kv3", "getDSXML2", 3 },
            { "kv3", "execTrans", 2 },
            { "kv3", "execSQL2", 2 },
            { "kv3", "getDatHor", 0 },
            { "kv3", "altStatCart", 2 },
            { "kv3", "altDepFunc", 2 },
            { "kv3", "altLimitFunc", 2 },
            { "kv3", "altAjuCust", 2 },
            { "kv3", "getUserOk", 2 },
            { "kv3", "getDadAut", 2 },
            { "kv3", "getAntParcFut", 2 },
            { "kv3", "incFuncXML", 5 },
            { "kv3", "ajustAcum", 4 },
            { "kv3", "ajustAcumTp2", 4 },
            { "kv3", "altIdUser", 3 },
            { "kv3", "setCabFood", 2 },
            { "kv3", "setItFood", 3 },
            { "kv3", "getConfFood", 2 },
            { "kv3", "setAjusFinFood", 2 },
            { "kv3_F", "getIndicDiret", 1 },
            { "servico", "getUltMatr", 2 },
            { "servico", "dispFechDiar", 0 },
        };
        for (const Op &op : ops) {
            const protocol::OperationSpec *spec
                = protocol::ServiceCatalog::operation(op.service, op.name);
            QVERIFY2(spec, qPrintable(op.service + "." + op.name));
            QCOMPARE(spec->params.size(), op.params);
        }
    }

    void loyaltyServiceHasItsOwnEndpoint()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = FakeSoapServer::soapBase64("getAutoriz", empacota("x"));
        QCOMPARE(kv1_FSoap().getAutoriz("a", "b"), empacota("x"));
        QCOMPARE(server.requests.first().path, QByteArray("/ws/kv1_F.asmx"));
        QCOMPARE(server.requests.first().header("SOAPAction"),
            QByteArray("\"http://tempuri.org/getAutoriz\""));
        server.fallback = FakeSoapServer::soapResult("getUltMatr", "41");
        QCOMPARE(servicoSoap().getUltMatr("1", "2"), 41);
        QCOMPARE(server.requests.last().path, QByteArray("/ws/servico.asmx"));
    }
};

QTEST_MAIN(TstTwc)
#include "tst_twc.moc"
