// The message of the day: the line drawn, its reference, the window it is shown in,
// and the two message files shipped beside the program.
#include "TestSupport.h"

#include "common/core/Cp1252.h"
#include "platform/fakes/FakePlatform.h"
#include "shell/MessageOfTheDay.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

using namespace zx;

namespace {
const QString kBook = QStringLiteral("»Dicas do Caixa [1]\r\n" // 1
                                     "1 Confira o cartão.\r\n" // 2
                                     "2 Peça a senha.\r\n" // 3
                                     "»Atendimento [12]\r\n" // 4
                                     "1 Cumprimente o cliente.\r\n" // 5
                                     "15 Agradeça a compra\r\n" // 6
                                     "semespaco\r\n"); // 7

void writeFile(const QString &path, const QString &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(cp1252::encode(text));
}
} // namespace

class TstMessageOfTheDay : public QObject {
    Q_OBJECT
private slots:
    void lineAndReference_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reference");
        QTest::newRow("heading gives the next line") << 1 << "Confira o cartão."
                                                     << "Dicas do Caixa 1:1";
        QTest::newRow("plain line") << 3 << "Peça a senha."
                                    << "Dicas do Caixa 1:2";
        QTest::newRow("second heading") << 4 << "Cumprimente o cliente."
                                        << "Atendimento 12:1";
        QTest::newRow("number of two digits") << 6 << "Agradeça a compra"
                                              << "Atendimento 12:15";
        QTest::newRow("line without blank") << 7 << "semespaco"
                                            << "Atendimento 12:";
        QTest::newRow("past the end: last line") << 24073 << "semespaco"
                                                 << "Atendimento 12:";
    }
    void lineAndReference()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, reference);
        QTemporaryDir dir;
        writeFile(dir.filePath("conf1.dat"), kBook);
        const std::optional<DailyMessage> m = motd::read(dir.filePath("conf1.dat"), line);
        QVERIFY(m);
        QCOMPARE(m->text, text);
        QCOMPARE(m->reference, reference);
    }

    void noMessageLine()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.dat"), QString());
        writeFile(dir.filePath("b.dat"), "»Só título [3]\r\n");
        QVERIFY(!motd::read(dir.filePath("a.dat"), 1));
        QVERIFY(!motd::read(dir.filePath("b.dat"), 1));
        QVERIFY(!motd::read(dir.filePath("none.dat"), 1));
    }

    void shownInTheMessageWindow_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("maxLine");
        QTest::newRow("first file") << 1 << 24073;
        QTest::newRow("second file") << 2 << 8219;
    }
    void shownInTheMessageWindow()
    {
        QFETCH(int, file);
        QFETCH(int, maxLine);
        FakePlatform fp;
        writeFile(motd::filePath(fp.programFolder(), file), kBook);
        QList<std::pair<int, int>> draws;
        const RandomPick pick = [&](int lo, int hi) {
            draws << std::pair { lo, hi };
            return draws.size() == 1 ? file : 5;
        };
        QString shown;
        QColor colour;
        fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            shown = form.findChild<QTextEdit *>("MemMensagem")->toPlainText();
            colour = form.palette().color(QPalette::Window);
            return int(QDialog::Rejected);
        });
        exibMensBibl(fp.programFolder(), QColor(0, 91, 0), pick);
        QCOMPARE(draws, (QList<std::pair<int, int>> { { 1, 2 }, { 1, maxLine } }));
        QCOMPARE(fp.dialogs->modalForms, QStringList { "FrmMensagem" });
        // Three lines, centred by three blank lines before them.
        QCOMPARE(shown, QStringLiteral("\n\n\nCumprimente o cliente.\n\nAtendimento 12:1"));
        QCOMPARE(colour, QColor(0, 91, 0));
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void missingFileReportedOnce()
    {
        FakePlatform fp;
        exibMensBibl(fp.programFolder(), Qt::blue, [](int lo, int) { return lo; });
        QCOMPARE(fp.dialogs->texts(), QStringList { "Não encontrado o arquivo de Mensagens!!!" });
        QCOMPARE(fp.dialogs->messages.at(0).caption, QStringLiteral("Atenção"));
        QCOMPARE(fp.dialogs->messages.at(0).icon, MsgIcon::Warning);
        QVERIFY(fp.dialogs->modalForms.isEmpty());
    }

    // The files delivered with the program: every line drawn is a message of the shape
    // the reader expects, in Windows-1252.
    void shippedFiles_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("lines");
        QTest::newRow("conf1.dat") << 1 << motd::kLinesFile1;
        QTest::newRow("conf2.dat") << 2 << motd::kLinesFile2;
    }
    void shippedFiles()
    {
        QFETCH(int, file);
        QFETCH(int, lines);
        const QString path = motd::filePath(QStringLiteral(ZX_BINARY_DIR "/data"), file);
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = f.readAll();
        QVERIFY(!bytes.contains("\xC3")); // no UTF-8 left: Ã never starts a Portuguese word here
        const QStringList all = cp1252::decode(bytes).split("\r\n", Qt::SkipEmptyParts);
        QVERIFY2(all.size() >= lines, qPrintable(QString::number(all.size())));
        static const QRegularExpression heading("^»[^\\[]+ \\[\\d+\\]$");
        static const QRegularExpression message("^\\d+ \\S.*[.!?:]$");
        QVERIFY(all.first().startsWith(QChar(0xBB)));
        int headings = 0;
        for (const QString &l : all) {
            const bool h = heading.match(l).hasMatch();
            headings += h;
            QVERIFY2(h || message.match(l).hasMatch(), qPrintable(l));
        }
        QVERIFY(headings > 10);
        // Accented Portuguese survives the code page.
        QVERIFY(all.join('\n').contains(QStringLiteral("ção")));
        for (int line : { 1, 2, lines / 2, lines }) {
            const std::optional<DailyMessage> m = motd::read(path, line);
            QVERIFY(m);
            QVERIFY(!m->text.isEmpty());
            QVERIFY2(QRegularExpression("^\\D+ \\d+:\\d+$").match(m->reference).hasMatch(),
                qPrintable(m->reference));
        }
    }
};

QTEST_MAIN(TstMessageOfTheDay)
#include "tst_messageoftheday.moc"
