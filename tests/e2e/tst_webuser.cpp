// Connectivity probe, web-user validation and the update download against a live
// zentrix-server.
#include "helper_server.h"

#include "DemoSeed.h"
#include "common/Messages.h"
#include "platform/fakes/FakePlatform.h"
#include "service/Atualizacao.h"
#include "service/ServiceSettings.h"
#include "service/Twc.h"

#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zx;

namespace {
std::function<int(QDialog &)> fill(const QString &login, const QString &password)
{
    return [=](QDialog &d) {
        d.findChild<QLineEdit *>("edtUsuario")->setText(login);
        d.findChild<QLineEdit *>("edtSenha")->setText(password);
        return int(QDialog::Accepted);
    };
}

// Lines logged by the server for calls (one per call).
int calls(zxe2e::ServerProcess &server) { return int(server.log().size()); }
} // namespace

class TstWebUser : public QObject {
    Q_OBJECT
private:
    zxe2e::ServerProcess server;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
    }
    void init() { ServiceSettings::setBaseOverride(server.base()); }
    void cleanup() { ServiceSettings::setBaseOverride(QString()); }

    void probeShowsTheServersGreeting()
    {
        FakePlatform fp;
        Twc wc;
        const QString greeting = wc.getConWS(true);
        QVERIFY(!greeting.isEmpty());
        QCOMPARE(fp.dialogs->messages.size(), 1);
        QCOMPARE(fp.dialogs->messages.first().caption, kCaption);
        QCOMPARE(fp.dialogs->messages.first().text, greeting);
        QVERIFY(fp.dialogs->messages.first().icon != MsgIcon::Error);
    }

    void wrongPasswordCachesNothingRightOneIsReused()
    {
        FakePlatform fp;
        const auto &demo = server::demoFacts();
        Twc wc;
        wc.cnpjEstac = demo.merchantCnpj;

        fp.dialogs->formHandlers.push_back(fill(demo.merchantUser, QStringLiteral("999999")));
        QString login;
        QVERIFY(!wc.valUserWeb(login));
        QCOMPARE(fp.dialogs->messages.size(), 1); // the server's own words
        QVERIFY(!fp.dialogs->lastText().isEmpty());
        QVERIFY(!wc.temUsuarioWeb());

        fp.dialogs->clear();
        fp.dialogs->formHandlers.push_back(fill(demo.merchantUser, demo.merchantUserPassword));
        QVERIFY(wc.valUserWeb(login));
        QCOMPARE(login, demo.merchantUser);
        QVERIFY(fp.dialogs->messages.isEmpty());

        // An operation that needs the web user asks once, then reuses it.
        fp.dialogs->formHandlers.push_back(fill(demo.merchantUser, demo.merchantUserPassword));
        QString prm;
        QVERIFY(wc.setLoginStrEnv(prm, true));
        QVERIFY(prm.contains(QStringLiteral("&LOGIN_USER=") + demo.merchantUser));
        QString again;
        QVERIFY(!wc.setLoginStrEnv(again, true)); // false: no dialog this time
        QCOMPARE(again, prm);
        QCOMPARE(fp.dialogs->modalForms.size(), 2); // the second validation and one login, no more
    }

    void cancelledDialogMakesNoCall()
    {
        FakePlatform fp;
        Twc wc;
        const int before = calls(server);
        fp.dialogs->formHandlers.push_back([](QDialog &) { return int(QDialog::Rejected); });
        QString login;
        QVERIFY(!wc.valUserWeb(login));
        QTest::qWait(200);
        QCOMPARE(calls(server), before);
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void newerServerVersionStartsTheDownloader()
    {
        // A server that announces a newer program version.
        QTemporaryDir dir;
        QProcess newer;
        newer.setProgram(qEnvironmentVariable("ZX_SERVER_BIN"));
        newer.setArguments({ "--db", dir.filePath("v.sqlite"), "--listen", "127.0.0.1:0",
            "--seed", "demo", "--version", "99.0.0.0" });
        newer.start();
        QVERIFY(newer.waitForStarted(10000));
        QString out;
        QTRY_VERIFY_WITH_TIMEOUT(
            (out += QString::fromLatin1(newer.readAllStandardOutput())).contains("listening"),
            20000);
        const QString port = QRegularExpression(":(\\d+)").match(out).captured(1);
        ServiceSettings::setBaseOverride(QStringLiteral("http://127.0.0.1:%1/").arg(port));

        FakePlatform fp;
        Twc wc;
        wc.versLocal = QStringLiteral("1.0.0.0");
        QString version;
        QVERIFY(wc.getDatWEB(version).isValid());
        QCOMPARE(version.trimmed(), QStringLiteral("99.0.0.0"));
        baixaAtualizacao(wc, false, version);
        QCOMPARE(fp.processes->started.size(), 1);
        QVERIFY(fp.processes->started.first().arguments.contains(QStringLiteral("-c")));
        newer.terminate();
        newer.waitForFinished(5000);
    }
};

QTEST_MAIN(TstWebUser)
#include "tst_webuser.moc"
