// The main window's hot keys: seen before the focused control, in the order of the
// table, several possibly acting on one press.
#include "TestSupport.h"
#include "helper_shell.h"

#include "shell/ShellHooks.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace zx;
using shelltest::Station;
using Page = TFrmPrincipal::Page;

namespace {
// Three edits and a list on the sale page, in focus order.
struct Fields {
    QLineEdit *a, *b, *c;
    QTreeWidget *list;
};
Fields addFields(TFrmPrincipal &f)
{
    auto *content = new QWidget;
    auto *l = new QVBoxLayout(content);
    Fields out { new QLineEdit, new QLineEdit, new QLineEdit, new QTreeWidget };
    out.a->setObjectName("A");
    out.b->setObjectName("B");
    out.c->setObjectName("C");
    out.list->setObjectName("Lista");
    for (QWidget *w : { static_cast<QWidget *>(out.a), static_cast<QWidget *>(out.b),
             static_cast<QWidget *>(out.list), static_cast<QWidget *>(out.c) })
        l->addWidget(w);
    out.list->addTopLevelItem(new QTreeWidgetItem(QStringList { "1" }));
    out.list->addTopLevelItem(new QTreeWidgetItem(QStringList { "2" }));
    f.setPageContent(Page::Autorizar, content);
    return out;
}
} // namespace

class TstKeys : public QObject {
    Q_OBJECT
private slots:
    void enterAndArrowsMoveTheFocus_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("enter") << int(Qt::Key_Return) << "A"
                               << "B";
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "A"
                                      << "B";
        QTest::newRow("down") << int(Qt::Key_Down) << "A"
                              << "B";
        QTest::newRow("up") << int(Qt::Key_Up) << "B"
                            << "A";
        QTest::newRow("enter in a list stays") << int(Qt::Key_Return) << "Lista"
                                               << "Lista";
        QTest::newRow("down in a list stays") << int(Qt::Key_Down) << "Lista"
                                              << "Lista";
        QTest::newRow("up in a list stays") << int(Qt::Key_Up) << "Lista"
                                            << "Lista";
    }
    void enterAndArrowsMoveTheFocus()
    {
        QFETCH(int, key);
        QFETCH(QString, from);
        QFETCH(QString, to);
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.create();
        Fields fields = addFields(f);
        QVERIFY(st.show());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        ZX_FIND(QWidget, start, &f, from);
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        fields.list->setCurrentItem(fields.list->topLevelItem(0));
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QVERIFY(f.isVisible());
        if (from == "Lista" && key == Qt::Key_Down) // the list moved its own row
            QCOMPARE(fields.list->currentItem(), fields.list->topLevelItem(1));
    }

    void escapeClosesTheWindow()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        QTest::keyClick(f.cardNumberField(), Qt::Key_Escape);
        QVERIFY(!f.isVisible());
    }

    void supportKeysShowTheirTexts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+Shift+E") << int(Qt::Key_E) << "Opção desabilitada!!!";
        QTest::newRow("Ctrl+Shift+M") << int(Qt::Key_M) << "<dados>";
        QTest::newRow("Ctrl+Shift+U") << int(Qt::Key_U) << "https://servicos.zentrix.com.br/";
    }
    void supportKeysShowTheirTexts()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        if (text == "<dados>")
            text = st.fp.programFolder() + "/Dados";
        QTest::keyClick(f.cardNumberField(), Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(st.fp.dialogs->texts(), QStringList { text });
        QCOMPARE(st.fp.dialogs->messages.at(0).caption, QStringLiteral("ZENTrix"));
        // The key did not reach the field.
        QVERIFY(f.cardNumberField()->text().isEmpty());
    }

    void contractPrint_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("date given") << true;
        QTest::newRow("cancelled") << false;
    }
    void contractPrint()
    {
        QFETCH(bool, answer);
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        st.fp.dialogs->inputAnswers.push_back(
            answer ? std::optional<QString>("01/02/2024") : std::nullopt);
        QTest::keyClick(f.cardNumberField(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(st.fp.dialogs->inputPrompts,
            QStringList { "Impressão do Contrato: Informe o início do contrato" });
        if (!answer) {
            QVERIFY(st.fp.desktop->opened.isEmpty());
            return;
        }
        QCOMPARE(st.fp.desktop->opened,
            QStringList { "https://www.zentrix.com.br/contrato.aspx?CNPJ_FORNE=11222333000181"
                          "&DATA_CONTR=01/02/2024" });
    }

    void pageKeysActInTableOrder()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.create();
        QStringList ran;
        for (auto [k, name] : { std::pair { HotKey::AltT, "Alt+T" },
                 std::pair { HotKey::CtrlA, "Ctrl+A" }, std::pair { HotKey::CtrlR, "Ctrl+R" },
                 std::pair { HotKey::F7, "F7" }, std::pair { HotKey::CtrlShiftB, "Ctrl+Shift+B" },
                 std::pair { HotKey::CtrlShiftL, "Ctrl+Shift+L" },
                 std::pair { HotKey::F11, "F11" } })
            f.hooks().setKey(k, [&ran, name = QString(name)] { ran << name; });
        QVERIFY(st.show());
        QLineEdit *card = f.cardNumberField();
        QTest::keyClick(card, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(card, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(card, Qt::Key_F7);
        QTest::keyClick(card, Qt::Key_F11);
        QTest::keyClick(card, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ran, (QStringList { "Alt+T", "Ctrl+A", "F7", "F11", "Ctrl+Shift+L" }));
        ran.clear();
        // Ctrl+Shift+B is also Ctrl+B: only the keys that match act; Ctrl+Shift+A is Ctrl+A too.
        QTest::keyClick(card, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(card, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ran, (QStringList { "Ctrl+Shift+B", "Ctrl+A" }));
        // Keys with no action yet reach the control.
        QTest::keyClicks(card, "123");
        QCOMPARE(card->text(), QStringLiteral("123"));
    }

    void keysOfDialogsAreTheirs()
    {
        Station st;
        st.setCompany(shelltest::kCnpj);
        TFrmPrincipal &f = st.start();
        QWidget other;
        auto *edit = new QLineEdit(&other);
        other.show();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(st.fp.dialogs->messages.isEmpty());
        QVERIFY(f.isVisible());
    }
};

QTEST_MAIN(TstKeys)
#include "tst_keys.moc"
