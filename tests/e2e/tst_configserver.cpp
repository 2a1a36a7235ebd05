// The configuration page's "Atualizar cadastro" against a live zentrix-server.
#include "helper_server.h"

#include "config/ConfigPage.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"
#include "service/ConfigPageServidor.h"
#include "service/ServiceSettings.h"
#include "service/Twc.h"
#include "shell/MainState.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zx;

class TstConfigServer : public QObject {
    Q_OBJECT
private slots:
    void atualizarCadastroFillsTheCompanyFromTheServer()
    {
        zxe2e::ServerProcess server;
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        FakePlatform fp;
        ServiceSettings::setBaseOverride(server.base());

        TDM dm;
        QVERIFY(dm.criaTabelas());
        MainState state;
        Twc wc;
        QStringList ended;
        ConfigPage page(dm, state);
        ConfigPageServidor hooks(wc, state, nullptr, [&](ConfigPage &) { ended << "fim"; });
        page.setHooks(&hooks);
        page.carregaConfig();

        page.findChild<QLineEdit *>("edtCNPJ")->setText(zxe2e::Demo::merchantCnpj());
        page.findChild<QPushButton *>("BtnBuscDad")->click();

        QCOMPARE(page.findChild<QLineEdit *>("edtRazao")->text(),
            QStringLiteral("MERCADO BOA COMPRA LTDA"));
        QCOMPARE(state.stationCnpj, zxe2e::Demo::merchantCnpj());
        QVERIFY(!page.findChild<QLineEdit *>("edtEnderec")->text().isEmpty());

        // The company list names the merchant for the start-up choice.
        QFile list(Platform::paths().inProgram("confInsti.xml"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QVERIFY(list.readAll().contains(zxe2e::Demo::merchantCnpj().toLatin1()));

        // The merchant's settings came down: instalments allowed (up to 3).
        QVERIFY(StationSettings().parcelar());
        QCOMPARE(fp.dialogs->texts(), QStringList { "Reinicie o aplicativo!!!" });
        QCOMPARE(ended, QStringList { "fim" });
        ServiceSettings::setBaseOverride(QString());
    }
};

QTEST_MAIN(TstConfigServer)
#include "tst_configserver.moc"
