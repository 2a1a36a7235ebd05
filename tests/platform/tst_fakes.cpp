#include "platform/fakes/FakePlatform.h"

#include "common/Messages.h"

#include <QDialog>
#include <QDir>
#include <QTest>

using namespace zx;

class TstFakes : public QObject {
    Q_OBJECT
private slots:
    void dialogsRecordAndAnswerFromScript()
    {
        FakePlatform fp;
        fp.dialogs->answers.push_back(MsgButton::No);
        QVERIFY(!Platform::dialogs().yesNo(kCaption, QStringLiteral("Continuar?")));
        // Unscripted: the default button answers.
        QVERIFY(!Platform::dialogs().yesNo(kCaption, QStringLiteral("De novo?"), MsgButton::No));
        MsgErro(QStringLiteral("Data inválida!!!"));
        QCOMPARE(fp.dialogs->messages.size(), 3);
        QCOMPARE(fp.dialogs->messages.at(2).caption, QStringLiteral("Erro"));
        QCOMPARE(fp.dialogs->messages.at(2).icon, MsgIcon::Error);
        QCOMPARE(fp.dialogs->lastText(), QStringLiteral("Data inválida!!!"));
    }
    void modalFormGoesToHandler()
    {
        FakePlatform fp;
        QDialog d;
        d.setObjectName(QStringLiteral("FrmTeste"));
        fp.dialogs->formHandlers.push_back([](QDialog &f) {
            f.setProperty("visto", true);
            return int(QDialog::Accepted);
        });
        QCOMPARE(Platform::dialogs().runModal(d), int(QDialog::Accepted));
        QVERIFY(d.property("visto").toBool());
        QCOMPARE(Platform::dialogs().runModal(d), int(QDialog::Rejected)); // nothing scripted
        QCOMPARE(fp.dialogs->modalForms, QStringList({"FrmTeste", "FrmTeste"}));
    }
    void installerRestoresPrevious()
    {
        {
            FakePlatform outer;
            {
                FakePlatform inner;
                QVERIFY(&Platform::dialogs() == inner.dialogs.get());
            }
            QVERIFY(&Platform::dialogs() == outer.dialogs.get());
            QVERIFY(QDir(outer.programFolder()).exists());
        }
    }
    void stationPathsFromArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("home");
        QTest::newRow("root only") << QStringList{"--root", "/tmp/zr"} << "/tmp/zr" << "/tmp/zr/station";
        QTest::newRow("both") << QStringList{"--root", "/tmp/zr", "--home", "/tmp/x/est"} << "/tmp/zr" << "/tmp/x/est";
    }
    void stationPathsFromArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, root);
        QFETCH(QString, home);
        const StationPaths p = StationPaths::fromEnvironment(args);
        QCOMPARE(p.driveRoot(), root);
        QCOMPARE(p.programFolder(), home);
        QCOMPARE(p.inRoot("kv.ini"), root + "/kv.ini");
    }
};

QTEST_MAIN(TstFakes)
#include "tst_fakes.moc"
