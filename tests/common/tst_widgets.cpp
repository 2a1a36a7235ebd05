// The message window, the base dialog's keys and the two edit boxes.
#include "TestSupport.h"
#include "common/widgets/TEDTVLR.h"
#include "common/widgets/TFrmFormPadrao.h"
#include "common/widgets/TFrmMensagem.h"
#include "common/widgets/TTQBEdit.h"
#include "platform/fakes/FakePlatform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using zx::TFrmFormPadrao;
using zx::TFrmMensagem;

namespace {
QStringList lines(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("linha %1").arg(i);
    return out;
}

// A base dialog with three fields, a grid and a button.
struct Padrao {
    TFrmFormPadrao form;
    QLineEdit *a, *b, *c;
    QTableWidget *grid;
    QPushButton *ok;
    Padrao()
    {
        a = new QLineEdit(&form);
        b = new QLineEdit(&form);
        grid = new QTableWidget(3, 2, &form);
        c = new QLineEdit(&form);
        ok = new QPushButton("&Ok", &form);
        int y = 0;
        for (QWidget *w :
            { static_cast<QWidget *>(a), static_cast<QWidget *>(b), static_cast<QWidget *>(grid),
                static_cast<QWidget *>(c), static_cast<QWidget *>(ok) }) {
            w->move(0, y);
            y += w == grid ? 120 : 30;
        }
        form.resize(300, y);
        QObject::connect(ok, &QPushButton::clicked, &form, &QDialog::accept);
    }
};
} // namespace

class TstWidgets : public QObject {
    Q_OBJECT
private slots:
    void mensagemCentresShortMessages_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("blanks");
        QTest::newRow("one line") << 1 << 4;
        QTest::newRow("three lines") << 3 << 3;
        QTest::newRow("eight lines") << 8 << 0;
        QTest::newRow("nine lines") << 9 << 0;
        QTest::newRow("twelve lines") << 12 << 0;
    }
    void mensagemCentresShortMessages()
    {
        QFETCH(int, count);
        QFETCH(int, blanks);
        zx::FakePlatform fp;
        QString shown;
        QSize size;
        Qt::WindowFlags flags;
        fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            shown = form.findChild<QTextEdit *>("MemMensagem")->toPlainText();
            size = form.size();
            flags = form.windowFlags();
            return int(QDialog::Accepted);
        });
        TFrmMensagem::mostra(Qt::darkBlue, lines(count));
        QCOMPARE(shown, (QStringList(blanks, QString()) + lines(count)).join('\n'));
        QCOMPARE(size, QSize(537, 245));
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    }

    void mensagemLooksAsAsked()
    {
        TFrmMensagem form(QColor(200, 0, 0));
        ZX_FIND(QTextEdit, memo, &form, "MemMensagem");
        ZX_FIND(QLabel, rodape, &form, "LblProsseguir");
        QCOMPARE(rodape->text(), QStringLiteral("Pressione qualquer tecla para prosseguir!!!"));
        QVERIFY(rodape->font().bold());
        QCOMPARE(rodape->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(memo->font().bold());
        QCOMPARE(memo->font().pixelSize(), 19);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(200, 0, 0));
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(200, 0, 0));
        QVERIFY(!form.mask().contains(QPoint(0, 0))); // rounded corners
        form.addLine("a");
        form.show();
        QVERIFY(memo->alignment().testFlag(Qt::AlignHCenter));
    }

    void mensagemBlinksAndAnyKeyCloses_data()
    {
        QTest::addColumn<int>("how"); // 0 key, 1 click on the window, 2 click on the message
        QTest::newRow("letter") << 0;
        QTest::newRow("click window") << 1;
        QTest::newRow("click message") << 2;
    }
    void mensagemBlinksAndAnyKeyCloses()
    {
        QFETCH(int, how);
        TFrmMensagem form(Qt::darkGreen);
        form.setLines({ "Venda autorizada" });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ZX_FIND(QLabel, rodape, &form, "LblProsseguir");
        ZX_FIND(QTimer, timer, &form, "TmrPisca");
        QCOMPARE(timer->interval(), 500);
        QVERIFY(timer->isActive());
        QTRY_VERIFY(!rodape->isVisible());
        QTRY_VERIFY(rodape->isVisible());
        if (how == 0)
            QTest::keyClick(&form, Qt::Key_X);
        else if (how == 1)
            QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 120));
        else
            QTest::mouseClick(
                form.findChild<QTextEdit *>("MemMensagem")->viewport(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(!timer->isActive());
    }

    void padraoKeys()
    {
        Padrao p;
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        p.a->setFocus();
        QTest::keyClick(p.a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), p.b);
        QTest::keyClick(p.b, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), p.grid);
        // Inside the grid the arrows and Enter are the grid's.
        p.grid->setCurrentCell(0, 0);
        QTest::keyClick(p.grid, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), p.grid);
        QCOMPARE(p.grid->currentRow(), 1);
        p.c->setFocus();
        QTest::keyClick(p.c, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), p.grid);
        p.c->setFocus();
        QTest::keyClick(p.c, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), p.ok);
        // Enter on a button presses it.
        QTest::keyClick(p.ok, Qt::Key_Return);
        QVERIFY(!p.form.isVisible());
        QCOMPARE(p.form.result(), int(QDialog::Accepted));
    }

    void padraoEscapeCloses()
    {
        Padrao p;
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        p.b->setFocus();
        QTest::keyClick(p.b, Qt::Key_Escape);
        QVERIFY(!p.form.isVisible());
        QCOMPARE(p.form.result(), int(QDialog::Rejected));
    }

    void padraoF7OpensTheCalculator()
    {
        Padrao p;
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        p.a->setFocus();
        QTest::keyClick(p.a, Qt::Key_F7); // nothing installed: nothing happens
        QVERIFY(p.form.isVisible());
        QList<QWidget *> opened;
        TFrmFormPadrao::setCalculatorOpener([&](QWidget *form) { opened << form; });
        QTest::keyClick(p.a, Qt::Key_F7);
        TFrmFormPadrao::setCalculatorOpener({});
        QCOMPARE(opened, QList<QWidget *> { &p.form });
    }

    void padraoLeavesOtherWindowsAlone()
    {
        Padrao p;
        p.form.show();
        QWidget other;
        auto *edit = new QLineEdit(&other);
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(p.form.isVisible());
    }

    void tqbEditLightsUp()
    {
        QWidget w;
        auto *e = new zx::TTQBEdit(&w);
        auto *other = new QLineEdit(&w);
        other->move(0, 40);
        QCOMPARE(e->corFoco(), QColor(255, 255, 0));
        QCOMPARE(e->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        e->setFocus();
        QCOMPARE(e->palette().color(QPalette::Base), QColor(255, 255, 0));
        other->setFocus();
        QCOMPARE(e->palette().color(QPalette::Base), QColor(Qt::white));
        e->setCorFoco(Qt::cyan);
        e->setFocus();
        QCOMPARE(e->palette().color(QPalette::Base), QColor(Qt::cyan));
    }

    void edtVlrStartsAtZero()
    {
        zx::TEDTVLR e;
        QCOMPARE(e.text(), QStringLiteral("0,00"));
        QCOMPARE(e.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(e.width(), 80);
        QCOMPARE(e.echoMode(), QLineEdit::Normal);
        e.setPasswordChar('*');
        QCOMPARE(e.echoMode(), QLineEdit::Password);
        e.setPasswordChar(QChar());
        QCOMPARE(e.echoMode(), QLineEdit::Normal);
    }
};

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
