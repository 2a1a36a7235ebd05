#include "helper_servicetest.h"

#include "TestSupport.h"
#include "common/Messages.h"
#include "common/widgets/TInsCarac.h"
#include "service/ProgramFormats.h"
#include "service/SenhasFracas.h"
#include "service/TFrmEnvUser.h"
#include "service/TFrmValUserWeb.h"
#include "service/Twc.h"
#include "service/kv3Soap.h"
#include "service/protocol/Packing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zx;
using namespace zxtest;

namespace {
// Fills the web-user dialog and accepts it.
std::function<int(QDialog &)> preenche(const QString &login, const QString &senha)
{
    return [=](QDialog &d) {
        byName<QLineEdit>(&d, "edtUsuario")->setText(login);
        byName<QLineEdit>(&d, "edtSenha")->setText(senha);
        return int(QDialog::Accepted);
    };
}
std::function<int(QDialog &)> cancela()
{
    return [](QDialog &) { return int(QDialog::Rejected); };
}
// Types keys into the protected entry of a shown dialog the way a person does: the
// window active, one key at a time, the noise of the previous key delivered first.
bool teclaNaEntrada(QDialog &d, QWidget *alvo, Qt::Key k)
{
    auto *ins = d.findChild<TInsCarac *>();
    if (!d.isVisible() || !ins)
        return false;
    QTest::qWaitFor([&] { return !ins->injetando(); }, 1000);
    QTest::keyClick(alvo, k);
    QCoreApplication::processEvents();
    return true;
}
std::function<int(QDialog &)> digita(const QList<Qt::Key> &keys)
{
    return [=](QDialog &d) -> int {
        QTest::qWaitForWindowActive(&d);
        auto *box = d.findChild<QLineEdit *>("TxtSenha");
        for (Qt::Key k : keys)
            if (!teclaNaEntrada(d, box, k))
                break;
        return d.result();
    };
}
} // namespace

class TstUsers : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void setLoginStrEnvReusesOrAsks()
    {
        FakePlatform fp;
        Twc wc;
        // Nothing cached: the dialog is shown even with reuse.
        fp.dialogs->formHandlers.push_back(preenche("maria", "4321"));
        QString prm = "&CNPJ_INSTI=11222333000181";
        QVERIFY(wc.setLoginStrEnv(prm, true));
        QCOMPARE(
            prm, QStringLiteral("&CNPJ_INSTI=11222333000181&LOGIN_USER=maria&SENHA_USER=4321"));
        QCOMPARE(fp.dialogs->modalForms, QStringList { "FrmValUserWeb" });
        // Kept scrambled, given back in clear.
        QVERIFY(wc.temUsuarioWeb());
        QVERIFY(!wc.loginWeb().contains("maria"));
        QVERIFY(!wc.senhaWeb().contains("4321"));
        QCOMPARE(wc.usuarioWeb().login, QStringLiteral("maria"));
        QCOMPARE(wc.usuarioWeb().senha, QStringLiteral("4321"));

        // Cached and reuse: no dialog, appended, false.
        prm = "&X=1";
        QVERIFY(!wc.setLoginStrEnv(prm, true));
        QCOMPARE(prm, QStringLiteral("&X=1&LOGIN_USER=maria&SENHA_USER=4321"));
        QCOMPARE(fp.dialogs->modalForms.size(), 1);

        // Without reuse the dialog comes back; the new pair replaces the old one.
        fp.dialogs->formHandlers.push_back(preenche("joao", "99"));
        prm.clear();
        QVERIFY(wc.setLoginStrEnv(prm, false));
        QCOMPARE(prm, QStringLiteral("&LOGIN_USER=joao&SENHA_USER=99"));
        QCOMPARE(wc.usuarioWeb().login, QStringLiteral("joao"));

        // Cancelled: the parameters are emptied, the cache stays.
        fp.dialogs->formHandlers.push_back(cancela());
        prm = "&CNPJ_INSTI=11222333000181";
        QVERIFY(!wc.setLoginStrEnv(prm, false));
        QVERIFY(prm.isEmpty());
        QCOMPARE(wc.usuarioWeb().login, QStringLiteral("joao"));

        wc.limpaLoginWeb();
        QVERIFY(!wc.temUsuarioWeb());
    }

    void valUserWebSendsTheValidationRequest()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.fallback = FakeSoapServer::soapString("getUserOk", "Usuário validado com Sucesso");
        EspiaoAguarde espiao;
        Twc wc;
        wc.cnpjEstac = " 11.222.333/0001-81 ";
        // The password typed through the protected entry, then "&Ok".
        fp.dialogs->formHandlers.push_back([](QDialog &d) -> int {
            QTest::qWaitForWindowActive(&d);
            d.findChild<QLineEdit *>("edtUsuario")->setText("  caixa1 ");
            auto *senha = d.findChild<QLineEdit *>("edtSenha");
            senha->setFocus();
            for (Qt::Key k : { Qt::Key_2, Qt::Key_4, Qt::Key_6, Qt::Key_8, Qt::Key_1, Qt::Key_0 })
                teclaNaEntrada(d, senha, k);
            d.findChild<QPushButton *>("BitBtn1")->click();
            return d.result();
        });
        QString login;
        QVERIFY(wc.valUserWeb(login));
        QCOMPARE(login, QStringLiteral("  caixa1 "));
        QCOMPARE(espiao.mostrados, QStringList { "Aguarde. Validando o usuário!!!" });
        QVERIFY(!frmAguarde());
        QCOMPARE(server.requests.size(), 1);
        const FakeRequest &req = server.requests.first();
        QCOMPARE(req.path, QByteArray("/ws/kv3.asmx"));
        QCOMPARE(req.header("SOAPAction"), QByteArray("\"http://tempuri.org/getUserOk\""));
        QCOMPARE(parteTexto(req, "idCliente", false),
            protocol::getMD5(protocol::getIDWeb(fp.clock->current.date())));
        QCOMPARE(parteTexto(req, "prmAlt", false),
            QStringLiteral("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n"
                           "<REGISTRO>\r\n<LOGIN_USER>caixa1</LOGIN_USER>\r\n"
                           "<SENHA_USER>246810</SENHA_USER>\r\n"
                           "<CNPJ_FORNE>11222333000181</CNPJ_FORNE>\r\n"
                           "<TIPO_AUTOR>VD</TIPO_AUTOR>\r\n</REGISTRO>\r\n</DATASET>\r\n"));
        // A validation does not touch the cached user.
        QVERIFY(!wc.temUsuarioWeb());
        QVERIFY(fp.dialogs->messages.isEmpty());
        QVERIFY(programFormatsActive());
    }

    void valUserWebRefusalAndFailure_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<int>("icone");
        QTest::newRow("wrong password") << "recusa"
                                        << "Senha inválida para o usuário" << int(MsgIcon::None);
        QTest::newRow("refused connection")
            << "conexao" << kMsgConexaoPagina << int(MsgIcon::Error);
        QTest::newRow("HTTP 500") << "http" << kMsgConexaoPagina << int(MsgIcon::Error);
    }
    void valUserWebRefusalAndFailure()
    {
        QFETCH(QString, caso);
        QFETCH(QString, mensagem);
        QFETCH(int, icone);
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(caso == "conexao" ? FakeSoapServer::refusedBaseUrl() : server.baseUrl());
        server.fallback = caso == "http" ? FakeSoapServer::http(500, "oops")
                                         : FakeSoapServer::soapString("getUserOk", mensagem);
        Twc wc;
        fp.dialogs->formHandlers.push_back(preenche("caixa1", "111"));
        QString login = "(antes)";
        QVERIFY(!wc.valUserWeb(login));
        QCOMPARE(login, QStringLiteral("(antes)"));
        QCOMPARE(fp.dialogs->texts(), QStringList { mensagem });
        QCOMPARE(int(fp.dialogs->messages.first().icon), icone);
        QVERIFY(!wc.temUsuarioWeb());
        QVERIFY(!frmAguarde());
        QVERIFY(programFormatsActive());
    }

    void cancelledPromptMakesNoCallAndShowsNoWindow()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        EspiaoAguarde espiao;
        Twc wc;
        fp.dialogs->formHandlers.push_back(cancela());
        QString login;
        QVERIFY(!wc.valUserWeb(login));

        // An operation that needs the web user stops the same way.
        fp.dialogs->formHandlers.push_back(cancela());
        bool chamou = false;
        const QString r = wc.operacao(FormaOperacao { .aguarde = "AGUARDE, enviando para a Web...",
                                          .falha = MsgConexao::PaginaInternet,
                                          .usuarioWeb = true },
            QString("vazio"), [&](const UsuarioWeb &) {
                chamou = true;
                return kv3Soap().altStatCart("id", "x");
            });
        QCOMPARE(r, QStringLiteral("vazio"));
        QVERIFY(wc.ultimaCancelada());
        QVERIFY(!chamou);
        QVERIFY(server.requests.isEmpty());
        QVERIFY(espiao.mostrados.isEmpty());
        QVERIFY(fp.dialogs->messages.isEmpty());
        QCOMPARE(fp.dialogs->modalForms.size(), 2);
    }

    void operationWithWebUserGetsTheCredentials()
    {
        FakePlatform fp;
        FakeSoapServer server;
        apontaServidor(server.baseUrl());
        server.responses.push_back(FakeSoapServer::soapString(
            "altStatCart", "ERRO ENCONTRADO: MENSA_RETOR=USUARIO invalido|"));
        server.responses.push_back(FakeSoapServer::soapString("altStatCart", "SUCESSO"));
        Twc wc;
        wc.guardaUsuarioWeb({ "ana", "555" });
        auto altera = [&] {
            return wc.operacao(
                FormaOperacao { .falha = MsgConexao::PaginaInternet, .usuarioWeb = true },
                QString(), [&](const UsuarioWeb &u) {
                    return kv3Soap().altStatCart(wc.getIDWebMD5(), u.login + "|" + u.senha);
                });
        };
        const QString r = altera();
        QCOMPARE(parteTexto(server.requests.at(0), "prmAlt", false), QStringLiteral("ana|555"));
        QCOMPARE(fp.dialogs->modalForms.size(), 0); // reused
        // The reply rejects the user: it is shown and the cache forgotten.
        QVERIFY(wc.trataErroServidor(r, true));
        QCOMPARE(fp.dialogs->texts(), QStringList { "USUARIO invalido" });
        QCOMPARE(fp.dialogs->messages.first().caption, kCaption);
        QVERIFY(!wc.temUsuarioWeb());
        // So the next operation asks again.
        fp.dialogs->formHandlers.push_back(preenche("ana", "556"));
        QCOMPARE(altera(), QStringLiteral("SUCESSO"));
        QCOMPARE(parteTexto(server.requests.at(1), "prmAlt", false), QStringLiteral("ana|556"));
        QCOMPARE(fp.dialogs->modalForms.size(), 1);
    }

    void passwordPromptKeys_data()
    {
        QTest::addColumn<QList<Qt::Key>>("teclas");
        QTest::addColumn<QString>("senha");
        QTest::newRow("Enter without digits") << QList<Qt::Key> { Qt::Key_Return } << "SS";
        QTest::newRow("Escape without digits") << QList<Qt::Key> { Qt::Key_Escape } << "";
        QTest::newRow("six digits close it") << QList<Qt::Key> { Qt::Key_9, Qt::Key_1, Qt::Key_4,
            Qt::Key_0, Qt::Key_7, Qt::Key_2 } << "914072";
        QTest::newRow("Escape clears, then Escape cancels")
            << QList<Qt::Key> { Qt::Key_1, Qt::Key_2, Qt::Key_Escape, Qt::Key_Escape } << "";
        QTest::newRow("Enter clears, then Enter is SS")
            << QList<Qt::Key> { Qt::Key_1, Qt::Key_Return, Qt::Key_Return } << "SS";
        QTest::newRow("Backspace clears") << QList<Qt::Key> { Qt::Key_5, Qt::Key_Backspace,
            Qt::Key_9, Qt::Key_1, Qt::Key_4, Qt::Key_0, Qt::Key_7, Qt::Key_2 }
                                          << "914072";
    }
    void passwordPromptKeys()
    {
        QFETCH(QList<Qt::Key>, teclas);
        QFETCH(QString, senha);
        FakePlatform fp;
        Twc wc;
        fp.dialogs->formHandlers.push_back(digita(teclas));
        QCOMPARE(wc.getEnvUser("Senha do cartão:", false, false), senha);
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void newPasswordSequenceRule_data()
    {
        QTest::addColumn<QString>("digitos");
        QTest::addColumn<bool>("recusada");
        QTest::newRow("falling run inside") << "914320" << true;
        QTest::newRow("rising at the start") << "345901" << true;
        QTest::newRow("rising at the end") << "902789" << true;
        QTest::newRow("falling at the end") << "902987" << true;
        QTest::newRow("rising by two") << "135802" << false;
        QTest::newRow("falling by two") << "864209" << false;
        QTest::newRow("pairs only") << "120934" << false;
    }
    void newPasswordSequenceRule()
    {
        QFETCH(QString, digitos);
        QFETCH(bool, recusada);
        FakePlatform fp;
        Twc wc;
        QList<Qt::Key> keys;
        for (QChar c : digitos)
            keys << Qt::Key(Qt::Key_0 + c.digitValue());
        fp.dialogs->formHandlers.push_back(digita(keys));
        const QString r = wc.getEnvUser("Nova senha:", true, false);
        if (recusada) {
            QCOMPARE(r, senhaSubstitutaSequencia());
            QCOMPARE(fp.dialogs->texts(),
                QStringList { "Não é permitido três ou mais caracteres em seqüência!!!" });
            QCOMPARE(fp.dialogs->messages.first().caption, kCaption);
            QCOMPARE(fp.dialogs->messages.first().icon, MsgIcon::Error);
        } else {
            QCOMPARE(r, digitos);
            QVERIFY(fp.dialogs->messages.isEmpty());
        }
    }

    void substituteIsRejectedByTheWeakPasswordCheck()
    {
        const QString s = senhaSubstitutaSequencia();
        QCOMPARE(s.size(), 32);
        QCOMPARE(s, protocol::getMD5("123456"));
        QVERIFY(ehSenhaFraca(s));
        QCOMPARE(senhasFracasFixas().size(), 28);
        QVERIFY(ehSenhaFraca("778899"));
        QVERIFY(ehSenhaFraca("998877"));
        QVERIFY(ehSenhaFraca("050790", "050790"));
        QVERIFY(!ehSenhaFraca("914072"));
        // "SS" and empty answers are never examined.
        FakePlatform fp;
        Twc wc;
        fp.dialogs->formHandlers.push_back(digita({ Qt::Key_Return }));
        QCOMPARE(wc.getEnvUser("Nova senha:", true, false), QStringLiteral("SS"));
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void passwordPromptLabels()
    {
        FakePlatform fp;
        Twc wc;
        wc.corAguarde = QColor(200, 0, 0);
        QStringList visto;
        auto observa = [&](QDialog &d) {
            auto *inf = d.findChild<QLabel *>("LBlInfAux");
            auto *aux = d.findChild<QLabel *>("LBlAux");
            visto << d.findChild<QLabel *>("LblSenha")->text()
                  << (inf->isVisible() ? inf->text() : QStringLiteral("(oculto)"))
                  << d.findChild<QLabel *>("LblRodape")->text() << aux->text();
        };
        auto sequencia = [&](QDialog &d) -> int {
            QTest::qWaitForWindowActive(&d);
            observa(d);
            teclaNaEntrada(d, d.findChild<QLineEdit *>("TxtSenha"), Qt::Key_4);
            observa(d);
            return QDialog::Rejected;
        };
        fp.dialogs->formHandlers.push_back(sequencia);
        wc.getEnvUser("Digite a senha:", false, true);
        QCOMPARE(visto.size(), 8);
        QCOMPARE(visto.at(0), QStringLiteral("Digite a senha:"));
        QVERIFY(visto.at(1).startsWith(QStringLiteral("        ATENÇÃO!!!")));
        QCOMPARE(visto.at(2), TFrmEnvUser::kRodapeVazio);
        QCOMPARE(visto.at(3), QString());
        // The first digit hides the hint; the digit itself is never shown.
        QCOMPARE(visto.at(5), QStringLiteral("(oculto)"));
        QCOMPARE(visto.at(6), TFrmEnvUser::kRodapeDigitos);
        QCOMPARE(visto.at(7).size(), 1);
        QVERIFY(!visto.at(7).contains('4'));

        // New password: the composition line stays while typing.
        visto.clear();
        fp.dialogs->formHandlers.push_back(sequencia);
        wc.getEnvUser("Nova senha:", true, false);
        QCOMPARE(visto.at(1), TFrmEnvUser::kComposicao);
        QCOMPARE(visto.at(5), TFrmEnvUser::kComposicao);

        // Without the hint flag nothing shows under the symbols.
        visto.clear();
        fp.dialogs->formHandlers.push_back(sequencia);
        wc.getEnvUser("Senha:", false, false);
        QCOMPARE(visto.at(1), QStringLiteral("(oculto)"));
    }
};

QTEST_MAIN(TstUsers)
#include "tst_users.moc"
