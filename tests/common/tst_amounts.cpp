// Amounts in words, interest and discount, month lengths and the period question.
#include "TestSupport.h"
#include "common/TFrmPeriodo.h"
#include "common/TFuncao.h"
#include "platform/fakes/FakePlatform.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using zx::Money;
using zx::TFuncao;

namespace {
Money money(const char *text)
{
    return *Money::parse(QString::fromLatin1(text));
}
QDate date(const char *text)
{
    return QDate::fromString(QString::fromLatin1(text), "dd/MM/yyyy");
}
} // namespace

class TstAmounts : public QObject {
    Q_OBJECT
private slots:
    void extenso_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("1") << "1"
                           << "UM REAL";
        QTest::newRow("1.01") << "1,01"
                              << "UM REAL E UM CENTAVO";
        QTest::newRow("0.50") << "0,50"
                              << "CINQUENTA CENTAVOS";
        QTest::newRow("0.01") << "0,01"
                              << "UM CENTAVO";
        QTest::newRow("10") << "10"
                            << "DEZ REAIS";
        QTest::newRow("15") << "15"
                            << "QUINZE REAIS";
        QTest::newRow("21.10") << "21,10"
                               << "VINTE E UM REAIS E DEZ CENTAVOS";
        QTest::newRow("100") << "100"
                             << "CEM REAIS";
        QTest::newRow("101") << "101"
                             << "CENTO E UM REAIS";
        QTest::newRow("110") << "110"
                             << "CENTO E DEZ REAIS";
        QTest::newRow("1000") << "1000"
                              << "UM MIL REAIS";
        QTest::newRow("1000.50") << "1000,50"
                                 << "UM MIL REAIS E CINQUENTA CENTAVOS";
        QTest::newRow("1001") << "1001"
                              << "UM MIL E UM REAIS";
        QTest::newRow("1500") << "1500"
                              << "UM MIL E QUINHENTOS REAIS";
        QTest::newRow("1500.50") << "1500,50"
                                 << "UM MIL, QUINHENTOS REAIS E CINQUENTA CENTAVOS";
        QTest::newRow("1000000") << "1000000"
                                 << "UM MILHAO DE REAIS";
        QTest::newRow("2000000.01") << "2000000,01"
                                    << "DOIS MILHOES DE REAIS E UM CENTAVO";
        QTest::newRow("1234567.89")
            << "1234567,89"
            << "UM MILHAO, DUZENTOS E TRINTA E QUATRO MIL, QUINHENTOS E SESSENTA E SETE REAIS "
               "E OITENTA E NOVE CENTAVOS";
        QTest::newRow("largest")
            << "999999999,99"
            << "NOVECENTOS E NOVENTA E NOVE MILHOES, NOVECENTOS E NOVENTA E NOVE MIL, NOVECENTOS "
               "E NOVENTA E NOVE REAIS E NOVENTA E NOVE CENTAVOS";
        // Round thousands after millions end with their "REAIS", no dangling " E ".
        QTest::newRow("1234000") << "1234000"
                                 << "UM MILHAO, DUZENTOS E TRINTA E QUATRO MIL REAIS";
        // Millions and units: joined by " E ", and plural.
        QTest::newRow("2000001") << "2000001"
                                 << "DOIS MILHOES E UM REAIS";
        QTest::newRow("1000500") << "1000500"
                                 << "UM MILHAO E QUINHENTOS REAIS";
        QTest::newRow("2000001.50") << "2000001,50"
                                    << "DOIS MILHOES, UM REAIS E CINQUENTA CENTAVOS";
        QTest::newRow("1001001") << "1001001"
                                 << "UM MILHAO, UM MIL E UM REAIS";
        QTest::newRow("zero") << "0"
                              << "VALOR ZERADO";
        QTest::newRow("rounds to zero") << "0,004"
                                        << "VALOR ZERADO";
        QTest::newRow("negative") << "-5"
                                  << "VALOR NEGATIVO";
    }
    void extenso()
    {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::NR_Extenso(*Money::parse(amount)), words);
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void extensoOutOfRange()
    {
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::NR_Extenso(money("1000000000")), QString());
        QCOMPARE(TFuncao::NR_Extenso(money("999999999,996")), QString()); // rounds above
        QCOMPARE(fp.dialogs->messages.size(), 2);
        QCOMPARE(fp.dialogs->messages.first().text,
            QStringLiteral("O valor está fora do intervalo permitido.O número deve ser menor "
                           "que 999.999.999,99. Se não for corrigido o número não será "
                           "escrito por extenso."));
    }

    void juros_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("result");
        QTest::newRow("two months") << 1 << "10/01/2023"
                                    << "10/03/2023"
                                    << "3"
                                    << "100"
                                    << "106,09";
        QTest::newRow("two months and 15 days") << 1 << "10/01/2023"
                                                << "25/03/2023"
                                                << "3"
                                                << "100"
                                                << "107,68";
        // 31 January: one month to 28 February; 28 March is after the end; 15 days.
        QTest::newRow("month end cut short") << 1 << "31/01/2023"
                                             << "15/03/2023"
                                             << "3"
                                             << "200"
                                             << "209,09";
        QTest::newRow("leap february anchor") << 1 << "30/01/2024"
                                              << "01/03/2024"
                                              << "3"
                                              << "1000"
                                              << "1031,03";
        QTest::newRow("days only, rate/30 rounded") << 1 << "10/01/2023"
                                                    << "17/01/2023"
                                                    << "2,5"
                                                    << "1000"
                                                    << "1005,83";
        QTest::newRow("same day") << 1 << "10/01/2023"
                                  << "10/01/2023"
                                  << "3"
                                  << "100"
                                  << "100,00";
        // 3% a month discounts as -2,9126%.
        QTest::newRow("discount one month") << 0 << "10/01/2023"
                                            << "10/02/2023"
                                            << "3"
                                            << "1000"
                                            << "970,87";
        QTest::newRow("discount month and days") << 0 << "10/01/2023"
                                                 << "25/02/2023"
                                                 << "3"
                                                 << "1000"
                                                 << "956,53";
        QTest::newRow("discount half a year") << 0 << "10/01/2023"
                                              << "20/07/2023"
                                              << "3"
                                              << "1234,56"
                                              << "1023,69";
    }
    void juros()
    {
        QFETCH(int, mode);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, rate);
        QFETCH(QString, amount);
        QFETCH(QString, result);
        const Money got = TFuncao::Juros(mode, QDate::fromString(end, "dd/MM/yyyy"),
            QDate::fromString(start, "dd/MM/yyyy"), *Money::parse(rate), *Money::parse(amount));
        QCOMPARE(got.format(4, false), Money::parse(result)->format(4, false));
    }

    void diasNoMes_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("2024-02") << 2024 << 2 << 29;
        QTest::newRow("2023-02") << 2023 << 2 << 28;
        QTest::newRow("2000-02") << 2000 << 2 << 29;
        QTest::newRow("2100-02 not leap") << 2100 << 2 << 28;
        QTest::newRow("april") << 2023 << 4 << 30;
        QTest::newRow("december") << 2023 << 12 << 31;
    }
    void diasNoMes()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        QCOMPARE(TFuncao::DiasNoMes(year, month), days);
    }

    void periodoProposesThisMonth()
    {
        zx::FakePlatform fp;
        fp.clock->current = QDateTime(QDate(2026, 3, 17), QTime(9, 0));
        QString title, ini, fim, cancel;
        QSize size;
        fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            title = form.windowTitle();
            size = form.size();
            ini = form.findChild<QLineEdit *>("edtDataIni")->text();
            fim = form.findChild<QLineEdit *>("edtDataFin")->text();
            cancel = form.findChild<QPushButton *>("btnCancelar")->text();
            form.findChild<QPushButton *>("btnOK")->click();
            return form.result();
        });
        QString a = QStringLiteral("x"), b = QStringLiteral("y");
        QCOMPARE(TFuncao::Periodo(a, b), QStringLiteral("01/03/2026|17/03/2026"));
        QCOMPARE(a, QStringLiteral("01/03/2026"));
        QCOMPARE(b, QStringLiteral("17/03/2026"));
        QCOMPARE(title, QStringLiteral("Informe o período Inicial e Final!!!"));
        QCOMPARE(size, QSize(320, 200));
        QCOMPARE(ini, QStringLiteral("01/03/2026"));
        QCOMPARE(fim, QStringLiteral("17/03/2026"));
        QCOMPARE(cancel, QStringLiteral("&Cancelar"));
        QCOMPARE(fp.dialogs->modalForms, QStringList { QStringLiteral("FrmPeriodo") });
    }

    void periodoCancelEmptiesBoth()
    {
        zx::FakePlatform fp;
        fp.dialogs->formHandlers.push_back([](QDialog &form) {
            form.findChild<QPushButton *>("btnCancelar")->click();
            return form.result();
        });
        QString a = QStringLiteral("01/01/2020"), b = QStringLiteral("31/01/2020");
        QCOMPARE(TFuncao::Periodo(a, b), QString());
        QVERIFY(a.isEmpty());
        QVERIFY(b.isEmpty());
    }

    void periodoRefusesAnInvalidDate()
    {
        zx::FakePlatform fp;
        fp.dialogs->formHandlers.push_back([&](QDialog &form) {
            typeInvalidDates(form, *fp.dialogs);
            auto *ini = form.findChild<QLineEdit *>("edtDataIni");
            auto *fim = form.findChild<QLineEdit *>("edtDataFin");
            ini->setText(QStringLiteral("01/02/2026"));
            fim->setText(QStringLiteral("28/02/2026"));
            form.findChild<QPushButton *>("btnOK")->click();
            return form.result();
        });
        QString a, b;
        QCOMPARE(TFuncao::Periodo(a, b), QStringLiteral("01/02/2026|28/02/2026"));
    }

private:
    void typeInvalidDates(QDialog &form, zx::FakeDialogs &dialogs)
    {
        QVERIFY2(QTest::qWaitForWindowActive(&form), "period form not active");
        ZX_FIND(QLineEdit, ini, &form, "edtDataIni");
        ZX_FIND(QLineEdit, fim, &form, "edtDataFin");
        ini->setFocus();
        ini->setText(QStringLiteral("31/02/2026"));
        // Enter moves on like Tab; leaving the box checks it and brings the focus back.
        QTest::keyClick(ini, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), ini);
        QCOMPARE(dialogs.texts(), QStringList { QStringLiteral("Data inválida!!!") });

        // OK checks both boxes and stays open on a blank one.
        ini->setText(QStringLiteral("01/02/2026"));
        fim->setText(QStringLiteral("  /  /    "));
        form.findChild<QPushButton *>("btnOK")->click();
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(dialogs.messages.size(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), fim);
    }
};

QTEST_MAIN(TstAmounts)
#include "tst_amounts.moc"
