// The protected numeric entry: noise injected between real keys never reaches the
// value; the key cases of the entry.
#include "TestSupport.h"
#include "common/widgets/TInsCarac.h"
#include "platform/fakes/FakePlatform.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using zx::TInsCarac;

namespace {

// A password form as the hosts build it: a password box, a footer and an auxiliary
// label, and one other field for moving between controls.
struct SenhaForm {
    QDialog form;
    QLineEdit *outro;
    QLineEdit *senha;
    QLabel *rodape;
    QLabel *aux;
    TInsCarac *ins;

    explicit SenhaForm(int mxLeng = 6, bool mudaEnter = false)
    {
        form.setObjectName("FrmSenha");
        outro = new QLineEdit(&form);
        outro->setObjectName("edtUsuario");
        senha = new QLineEdit(&form);
        senha->setObjectName("TxtSenha");
        senha->move(0, 30);
        rodape = new QLabel(&form);
        rodape->setObjectName("LblRodape");
        rodape->move(0, 60);
        aux = new QLabel(&form);
        aux->setObjectName("LBlAux");
        aux->move(0, 90);
        QPalette p = aux->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 128));
        aux->setPalette(p);
        ins = new TInsCarac(&form);
        ins->setTxtSenha(senha);
        ins->setLblRodape(rodape);
        ins->setLBlAux(aux);
        ins->setMxLeng(mxLeng);
        ins->setMudaEnter(mudaEnter);
    }
    bool show()
    {
        form.show();
        if (!QTest::qWaitForWindowActive(&form))
            return false;
        senha->setFocus();
        return QApplication::focusWidget() == senha;
    }
};

// Types a script of keys: digits after "k" are keypad digits, after "r" digit-row
// digits; ESC, ENTER, DEL, BS, MINUS (keypad) are keys. Between keys the event loop
// runs, so the noise of the previous key is delivered in between.
void type(QWidget *target, const QString &script)
{
    for (const QString &tok : script.split(' ', Qt::SkipEmptyParts)) {
        if (tok.startsWith('k') || tok.startsWith('r')) {
            const auto mods = tok.startsWith('k') ? Qt::KeypadModifier : Qt::NoModifier;
            for (QChar c : tok.mid(1)) {
                QTest::keyClick(target, Qt::Key(Qt::Key_0 + c.digitValue()), mods);
                QCoreApplication::processEvents();
            }
            continue;
        }
        if (tok == "ESC")
            QTest::keyClick(target, Qt::Key_Escape);
        else if (tok == "ENTER")
            QTest::keyClick(target, Qt::Key_Return);
        else if (tok == "DEL")
            QTest::keyClick(target, Qt::Key_Delete);
        else if (tok == "BS")
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (tok == "MINUS")
            QTest::keyClick(target, Qt::Key_Minus, Qt::KeypadModifier);
        QCoreApplication::processEvents();
    }
}

} // namespace

class TstInsCarac : public QObject {
    Q_OBJECT
private slots:
    void noiseBetweenKeysIsDropped_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("value");
        QTest::newRow("keypad 123") << "k123"
                                    << "123";
        QTest::newRow("digit row 905") << "r905"
                                       << "905";
        QTest::newRow("repeated digits") << "k0000"
                                         << "0000";
    }
    void noiseBetweenKeysIsDropped()
    {
        QFETCH(QString, script);
        QFETCH(QString, value);
        zx::FakePlatform fp;
        SenhaForm f;
        QVERIFY2(f.show(), qPrintable(zxtest::focusReport()));
        const qsizetype before = fp.keys->injected.size();
        type(f.senha, script);
        QCOMPARE(f.ins->CNPJInsti(), value);
        QCOMPARE(f.senha->text(), QString(value.size(), 'l'));
        QCOMPARE(f.senha->cursorPosition(), value.size());
        // Every real key was followed by a burst of its own keyboard kind.
        QVERIFY(fp.keys->injected.size() - before >= value.size());
        const bool keypad = script.startsWith('k');
        for (qsizetype i = before; i < fp.keys->injected.size(); ++i)
            QCOMPARE(fp.keys->injected.at(i).keypad, keypad);
        QVERIFY(f.form.isVisible());
    }

    void lateNoiseIsDroppedToo()
    {
        zx::FakePlatform fp;
        fp.keys->deliver = false; // hold the noise back
        SenhaForm f;
        QVERIFY(f.show());
        type(f.senha, "k42");
        QTRY_VERIFY(!f.ins->injetando());
        // The held noise arrives long after its burst, as a slow system may deliver it.
        for (const auto &k : fp.keys->injected) {
            const auto mods = k.keypad ? Qt::KeypadModifier : Qt::NoModifier;
            QCoreApplication::postEvent(
                f.senha, new QKeyEvent(QEvent::KeyPress, k.key, mods, k.text));
            QCoreApplication::postEvent(
                f.senha, new QKeyEvent(QEvent::KeyRelease, k.key, mods, k.text));
        }
        QCoreApplication::processEvents();
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("42"));
        // The same synthetic key, not injected by the entry, would have counted.
        QCoreApplication::postEvent(
            f.senha, new QKeyEvent(QEvent::KeyRelease, Qt::Key_7, Qt::KeypadModifier, "7"));
        QCoreApplication::processEvents();
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("427"));
    }

    void realKeyDuringBurstCounts()
    {
        zx::FakePlatform fp;
        SenhaForm f;
        QVERIFY(f.show());
        QTest::keyClick(f.senha, Qt::Key_1, Qt::KeypadModifier);
        QVERIFY(f.ins->injetando()); // the burst's noise is still queued
        QTest::keyClick(f.senha, Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("12"));
        QTRY_VERIFY(!f.ins->injetando()); // the 1 ms tick ends the burst
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("12"));
    }

    void burstSizeFollowsTheNoiseFactor()
    {
        zx::FakePlatform fp;
        fp.keys->deliver = false;
        SenhaForm f(50);
        const int factor = f.ins->fatorRuido();
        QVERIFY(factor >= 2 && factor <= 10);
        // The creation burst is of keypad digits.
        QVERIFY(!fp.keys->injected.isEmpty());
        QVERIFY(fp.keys->injected.size() <= 3 * factor);
        for (const auto &k : fp.keys->injected)
            QVERIFY(k.keypad && k.key >= Qt::Key_0 && k.key <= Qt::Key_9 && k.text.size() == 1);
        QVERIFY(f.show());
        for (int i = 0; i < 20; ++i) {
            const qsizetype before = fp.keys->injected.size();
            QTest::keyClick(f.senha, Qt::Key_3);
            const qsizetype n = fp.keys->injected.size() - before;
            QVERIFY2(n >= 1 && n <= 3 * factor, qPrintable(QString::number(n)));
            QVERIFY(!fp.keys->injected.last().keypad);
        }
    }

    void twoKeyboardsAreRefused()
    {
        zx::FakePlatform fp;
        SenhaForm f;
        QVERIFY(f.show());
        type(f.senha, "k1 r2");
        QCOMPARE(fp.dialogs->messages.size(), 1);
        QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("ZENTrix"));
        QCOMPARE(fp.dialogs->messages.first().icon, zx::MsgIcon::Error);
        QCOMPARE(fp.dialogs->messages.first().text,
            QStringLiteral("Não poderá ser utilizado dois teclados alternadamente..."));
        QCOMPARE(f.ins->CNPJInsti(), QString());
        QCOMPARE(f.senha->text(), QString());
        QCOMPARE(f.ins->teclado(), TInsCarac::Teclado::Nenhum);
        // After the reset either keyboard may start again.
        type(f.senha, "r34");
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("34"));
    }

    void keys_data()
    {
        QTest::addColumn<int>("mxLeng");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("result");
        const int acc = QDialog::Accepted, rej = QDialog::Rejected, none = -1;
        QTest::newRow("enter on empty gives SS") << 6 << "ENTER"
                                                 << "SS" << false << acc;
        QTest::newRow("escape on empty cancels") << 6 << "ESC"
                                                 << "" << false << rej;
        QTest::newRow("escape after digits clears") << 6 << "k12 ESC"
                                                    << "" << true << none;
        QTest::newRow("enter after digits clears") << 6 << "k12 ENTER"
                                                   << "" << true << none;
        QTest::newRow("delete after digits clears") << 6 << "r12 DEL"
                                                    << "" << true << none;
        QTest::newRow("backspace after digits clears") << 6 << "r12 BS"
                                                       << "" << true << none;
        QTest::newRow("keypad minus clears") << 6 << "k12 MINUS k3"
                                             << "3" << true << none;
        QTest::newRow("cleared, then escape cancels") << 6 << "k1 ESC ESC"
                                                      << "" << false << rej;
        QTest::newRow("backspace on empty stays") << 6 << "BS"
                                                  << "" << true << none;
        QTest::newRow("maximum length closes") << 4 << "k1234"
                                               << "1234" << false << acc;
        QTest::newRow("six digits close") << 6 << "r123456"
                                          << "123456" << false << acc;
        QTest::newRow("no maximum means 50") << 0 << "k1234567890"
                                             << "1234567890" << true << none;
    }
    void keys()
    {
        QFETCH(int, mxLeng);
        QFETCH(QString, script);
        QFETCH(QString, value);
        QFETCH(bool, open);
        QFETCH(int, result);
        zx::FakePlatform fp;
        SenhaForm f(mxLeng);
        QVERIFY(f.show());
        const int factor = f.ins->fatorRuido();
        type(f.senha, script);
        QCOMPARE(f.ins->CNPJInsti(), value);
        QCOMPARE(f.form.isVisible(), open);
        if (!open)
            QCOMPARE(f.form.result(), result);
        if (value.size() == mxLeng)
            QCOMPARE(f.ins->fatorRuido(), factor / 2);
        if (mxLeng == 0)
            QCOMPARE(f.ins->MxLeng(), 50);
    }

    void formIsPreparedAndHintsFollowTheEntry()
    {
        zx::FakePlatform fp;
        SenhaForm f;
        QVERIFY(f.show());
        QVERIFY(f.senha->isReadOnly());
        QCOMPARE(f.senha->echoMode(), QLineEdit::Password);
        QVERIFY(f.aux->isHidden());
        QCOMPARE(f.rodape->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(f.rodape->text(), QStringLiteral("pressione ESC para Cancelar a solicitação"));
        type(f.senha, "k5");
        QCOMPARE(f.rodape->text(), QStringLiteral("ESC - Limpar a senha"));
        QCOMPARE(f.aux->text(), QStringLiteral("l"));
        type(f.senha, "ESC");
        QCOMPARE(f.rodape->text(), QStringLiteral("pressione ESC para Cancelar a solicitação"));
        QCOMPARE(f.aux->text(), QString());
    }

    void auxLabelIsCreatedWhenMissing()
    {
        zx::FakePlatform fp;
        QDialog form;
        auto *ins = new TInsCarac(&form);
        auto *senha = new QLineEdit(&form);
        ins->setTxtSenha(senha);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ZX_FIND(QLabel, aux, &form, "LBlAux");
        senha->setFocus();
        type(senha, "k9");
        QCOMPARE(aux->text(), QStringLiteral("l"));
        QCOMPARE(ins->CNPJInsti(), QStringLiteral("9"));
    }

    void mudaEnterMovesBetweenControls()
    {
        zx::FakePlatform fp;
        SenhaForm f(6, true);
        QVERIFY(f.show());
        QSignalSpy enter(f.ins, &TInsCarac::enterPressionado);
        type(f.senha, "k12");
        QTest::keyClick(f.senha, Qt::Key_Return);
        QCOMPARE(enter.size(), 1);
        QCOMPARE(enter.first().first().value<QWidget *>(), f.senha);
        QCOMPARE(f.ins->CNPJInsti(), QStringLiteral("12")); // Enter does not clear here
        QVERIFY(QApplication::focusWidget() != f.senha);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.senha);
        QTest::keyClick(f.senha, Qt::Key_Down);
        QVERIFY(QApplication::focusWidget() != f.senha);
        // Keys in another field still clear the password; Escape then cancels.
        QTest::keyClick(f.outro, Qt::Key_Escape);
        QCOMPARE(f.ins->CNPJInsti(), QString());
        QVERIFY(f.form.isVisible());
        QTest::keyClick(f.outro, Qt::Key_Escape);
        QVERIFY(!f.form.isVisible());
        QCOMPARE(f.form.result(), int(QDialog::Rejected));
    }

    void numLock_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("kept");
        QTest::newRow("default keeps it on") << "" << true;
        QTest::newRow("1 keeps it on") << "[sistema]\r\nnum_lock = 1\r\n" << true;
        QTest::newRow("0 leaves it alone") << "[OUTRA]\r\nNUM_LOCK=1\r\n[SISTEMA]\r\nNUM_LOCK=0\r\n"
                                           << false;
        QTest::newRow("2 leaves it alone") << "[SISTEMA]\nNUM_LOCK=2\n" << false;
    }
    void numLock()
    {
        QFETCH(QString, ini);
        QFETCH(bool, kept);
        zx::FakePlatform fp;
        if (!ini.isEmpty()) {
            QFile file(QDir(fp.programFolder()).filePath("configura.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini.toLatin1());
        }
        fp.keys->numLock = false;
        SenhaForm f;
        QCOMPARE(f.ins->mantemNumLock(), kept);
        QCOMPARE(fp.keys->numLockSets, kept ? QList<bool> { true } : QList<bool> {});
        QVERIFY(f.show());
        // The user switches it off again, then a reset happens.
        fp.keys->numLock = false;
        QTest::keyClick(f.senha, Qt::Key_NumLock);
        QCOMPARE(fp.keys->numLock, kept);
        fp.keys->numLock = false;
        type(f.senha, "k1 ESC");
        QCOMPARE(fp.keys->numLock, kept);
        QCOMPARE(fp.keys->numLockSets.size(), kept ? 3 : 0);
    }
};

QTEST_MAIN(TstInsCarac)
#include "tst_inscarac.moc"
