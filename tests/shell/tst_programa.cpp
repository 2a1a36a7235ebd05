// The program entry: one program per desktop, the hand-over to the updater, the
// command line the window receives.
#include "TestSupport.h"

#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"
#include "shell/Programa.h"
#include "shell/TFrmPrincipal.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zx;

namespace {
const QString kPath = QStringLiteral("/opt/zentrix/zentrix");

int mainWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<TFrmPrincipal *>(w) != nullptr;
    return n;
}

void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class TstPrograma : public QObject {
    Q_OBJECT
private slots:
    void secondStartRaisesTheFirst()
    {
        FakePlatform fp;
        Programa first;
        QVERIFY(first.inicia({ kPath }, kPath));
        QVERIFY(first.janela());
        QCOMPARE(first.janela()->windowTitle(), QStringLiteral("ZENTrix (Versão: 3.0.1.6)"));
        QCOMPARE(fp.singleInstance->window, first.janela());

        fp.singleInstance->firstInstance = false; // the desktop now has a running program
        Programa second;
        QVERIFY(!second.inicia({ kPath }, kPath));
        QVERIFY(!second.janela());
        QVERIFY(!second.dm());
        QCOMPARE(fp.dialogs->texts(), QStringList { "O Aplicativo Zentrix já esta aberto!!!" });
        QCOMPARE(fp.dialogs->messages.at(0).caption, QStringLiteral("TQB Soluções"));
        QCOMPARE(fp.dialogs->messages.at(0).icon, MsgIcon::Warning);
        QCOMPARE(fp.dialogs->messages.at(0).buttons, MsgButtons(MsgButton::Ok));
        QCOMPARE(fp.singleInstance->raiseRequests, 1);
        QCOMPARE(mainWindows(), 1);
    }

    void instanceKeyNamesWindowAndUser()
    {
        const QString key = Programa::chaveInstancia();
        QVERIFY(key.startsWith("TFrmPrincipal-ZENTrix"));
        QVERIFY(key.contains("3.0.1.6"));
        for (QChar c : key)
            QVERIFY2(c.isLetterOrNumber() || c == '.' || c == '-' || c == '_', qPrintable(key));
    }

    void updatePackageHandsOver_data()
    {
        QTest::addColumn<QStringList>("commandLine");
        QTest::addColumn<bool>("localUpdater");
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("no arguments") << QStringList { kPath } << false << true;
        QTest::newRow("updater in the folder") << QStringList { kPath } << true << true;
        QTest::newRow("amount argument") << QStringList { kPath, "1234" } << false << true;
        QTest::newRow("forced") << QStringList { kPath, "FORÇAR" } << false << false;
        QTest::newRow("forced with blanks")
            << QStringList { kPath, "1234", " FORÇAR " } << false << false;
        QTest::newRow("forced, not last")
            << QStringList { kPath, "FORÇAR", "1234" } << false << true;
        QTest::newRow("lower case is not forcing")
            << QStringList { kPath, "forçar" } << false << true;
    }
    void updatePackageHandsOver()
    {
        QFETCH(QStringList, commandLine);
        QFETCH(bool, localUpdater);
        QFETCH(bool, handsOver);
        FakePlatform fp;
        touch(fp.programFolder() + "/Zentrix.zip");
        if (localUpdater)
            touch(fp.programFolder() + "/Atualiza.exe");
        Programa p;
        QCOMPARE(p.inicia(commandLine, kPath), !handsOver);
        QCOMPARE(mainWindows(), handsOver ? 0 : 1);
        QVERIFY(fp.dialogs->messages.isEmpty());
        if (!handsOver) {
            QVERIFY(fp.processes->started.isEmpty());
            return;
        }
        QCOMPARE(fp.processes->started.size(), 1);
        const FakeProcesses::Started &s = fp.processes->started.at(0);
        QCOMPARE(s.program,
            localUpdater ? fp.programFolder() + "/Atualiza.exe" : QStringLiteral("Atualiza.exe"));
        QCOMPARE(s.arguments, (QStringList { kPath, kPath }));
        QVERIFY(s.hidden);
    }

    void noPackageNoHandOver()
    {
        FakePlatform fp;
        Programa p;
        QVERIFY(p.inicia({ kPath }, kPath));
        QVERIFY(fp.processes->started.isEmpty());
    }

    void stationOptionsAreNotArguments_data()
    {
        QTest::addColumn<QStringList>("commandLine");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("plain") << QStringList { kPath, "1234" } << QStringList { kPath, "1234" };
        QTest::newRow("home first")
            << QStringList { kPath, "--home", "/tmp/x", "1234" } << QStringList { kPath, "1234" };
        QTest::newRow("both after") << QStringList { kPath, "ABC", "--root", "/r", "--home", "/h" }
                                    << QStringList { kPath, "ABC" };
    }
    void stationOptionsAreNotArguments()
    {
        QFETCH(QStringList, commandLine);
        QFETCH(QStringList, arguments);
        QCOMPARE(Programa::argumentos(commandLine), arguments);
    }

    void messageFilesInstalledOnce()
    {
        FakePlatform fp;
        QTemporaryDir exe;
        QFile src(exe.filePath("conf1.dat"));
        QVERIFY(src.open(QIODevice::WriteOnly));
        src.write("»Dicas [1]\r\n1 Texto\r\n");
        src.close();
        Programa::instalaArquivos(exe.path());
        QVERIFY(QFile::exists(fp.programFolder() + "/conf1.dat"));
        QVERIFY(!QFile::exists(fp.programFolder() + "/conf2.dat"));
        // A station's own file is kept.
        QFile own(fp.programFolder() + "/conf1.dat");
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("x");
        own.close();
        Programa::instalaArquivos(exe.path());
        QCOMPARE(QFileInfo(fp.programFolder() + "/conf1.dat").size(), 1);
    }
};

QTEST_MAIN(TstPrograma)
#include "tst_programa.moc"
