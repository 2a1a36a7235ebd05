// Brazilian identifiers, formats and text helpers of the utility component, with the
// messages the screens show.
#include "common/TFuncao.h"
#include "common/core/Cp1252.h"
#include "common/core/Identifiers.h"
#include "common/core/TextHelpers.h"
#include "platform/fakes/FakePlatform.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using zx::TFuncao;

class TstIdentifiers : public QObject {
    Q_OBJECT
private slots:
    void cpfCnpj_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("message"); // with messages on; "" when valid

        const QString cpf = QStringLiteral("CPF inválido!!!");
        const QString cnpj = QStringLiteral("CNPJ inválido!!!");
        QTest::newRow("cpf punctuated") << "111.444.777-35" << true << "";
        QTest::newRow("cpf digits") << "11144477735" << true << "";
        QTest::newRow("cnpj punctuated") << "11.222.333/0001-81" << true << "";
        QTest::newRow("cnpj digits") << "11222333000181" << true << "";
        QTest::newRow("cnpj 13 digits, wrong") << "1222333000106" << false << cnpj;
        QTest::newRow("cnpj 13 digits padded") << "4252011000110" << true << "";
        QTest::newRow("cpf without leading zeros") << "4560192278" << true << "";
        QTest::newRow("repeated digits compute but fail") << "111.111.111-11" << false << cpf;
        QTest::newRow("repeated cnpj") << "22222222222222" << false << cnpj;
        QTest::newRow("empty is an invalid cpf") << "" << false << cpf;
        QTest::newRow("wrong second digit") << "111.444.777-36" << false << cpf;
        QTest::newRow("wrong first cnpj digit") << "11.222.333/0001-71" << false << cnpj;
        QTest::newRow("fifteen digits") << "112223330001810" << false << "Número muito extenso!!!";
    }
    void cpfCnpj()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, message);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::CalculaCnpjCpf(text, false), valid);
        QVERIFY(fp.dialogs->messages.isEmpty());
        QCOMPARE(TFuncao::CalculaCnpjCpf(text, true), valid);
        if (valid) {
            QVERIFY(fp.dialogs->messages.isEmpty());
        } else {
            QCOMPARE(fp.dialogs->texts(), QStringList { message });
            QCOMPARE(fp.dialogs->messages.first().icon, zx::MsgIcon::Information);
        }
    }

    void formats_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("cpf") << "cpf"
                             << "12345678909"
                             << "123.456.789-09";
        QTest::newRow("cpf short padded") << "cpf"
                                          << "4560192202"
                                          << "045.601.922-02";
        QTest::newRow("cnpj 13 digits") << "cpf"
                                        << "1222333000181"
                                        << "01.222.333/0001-81";
        QTest::newRow("cnpj over 14 cut") << "cpf"
                                          << "1122233300018199"
                                          << "11.222.333/0001-81";
        QTest::newRow("cpf empty") << "cpf"
                                   << " - "
                                   << "";
        QTest::newRow("cep short") << "cep"
                                   << "12.345"
                                   << "12345-000";
        QTest::newRow("cep full") << "cep"
                                  << "01310-100"
                                  << "01310-100";
        QTest::newRow("cep blank") << "cep"
                                   << "   "
                                   << "";
        QTest::newRow("fone 10 with zero") << "fone"
                                           << "011 3333-4444"
                                           << "(11)3333-4444";
        QTest::newRow("fone 11") << "fone"
                                 << "11987654321"
                                 << "(11)98765-4321";
        QTest::newRow("fone 7") << "fone"
                                << "3334444"
                                << "333-4444";
        QTest::newRow("fone 8") << "fone"
                                << "33334444"
                                << "3333-4444";
        QTest::newRow("fone 9") << "fone"
                                << "987654321"
                                << "98765-4321";
        QTest::newRow("fone 5 digits") << "fone"
                                       << "12345"
                                       << "";
        QTest::newRow("fone 12 bare") << "fone"
                                      << "551133334444"
                                      << "551133334444";
        QTest::newRow("compfone 7") << "compfone"
                                    << "3334444"
                                    << "   3334444";
        QTest::newRow("compfone 8") << "compfone"
                                    << "3333-4444"
                                    << "  33334444";
        QTest::newRow("compfone 9") << "compfone"
                                    << "(11) 3334444"
                                    << "11 3334444";
        QTest::newRow("compfone 10 zero dropped") << "compfone"
                                                  << "0113333-4444"
                                                  << "1133334444";
        QTest::newRow("compfone nothing") << "compfone"
                                          << "000"
                                          << "";
    }
    void formats()
    {
        QFETCH(QString, op);
        QFETCH(QString, in);
        QFETCH(QString, out);
        zx::FakePlatform fp;
        QString got;
        if (op == QLatin1String("cpf"))
            got = TFuncao::FmtCNPJ_CPF(in);
        else if (op == QLatin1String("cep"))
            got = TFuncao::fmtCEP(in);
        else if (op == QLatin1String("fone"))
            got = TFuncao::FmtFone(in);
        else
            got = TFuncao::Comp_Fone(in);
        QCOMPARE(got, out);
        QVERIFY(fp.dialogs->messages.isEmpty());
    }

    void compFoneIncomplete()
    {
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::Comp_Fone(QStringLiteral("0123456")), QString());
        QCOMPARE(fp.dialogs->messages.size(), 1);
        QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("Aviso do Sistema"));
        QCOMPARE(fp.dialogs->messages.first().text, QStringLiteral("Número incompleto!!!"));
        QCOMPARE(fp.dialogs->messages.first().icon, zx::MsgIcon::Error);
    }

    void pis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("message");
        QTest::newRow("valid punctuated") << "120.5660.834-2" << true << false;
        QTest::newRow("valid digits") << "12056608342" << true << false;
        QTest::newRow("check digit 0 from 10") << "00010000020" << true << false;
        QTest::newRow("wrong digit") << "12056608343" << false << true;
        QTest::newRow("too short") << "1205660834" << false << true;
        QTest::newRow("extra digit") << "120566083421" << false << true;
        QTest::newRow("empty, no message") << "..-" << false << false;
    }
    void pis()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, message);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::VerPIS(text, false), valid);
        QVERIFY(fp.dialogs->messages.isEmpty());
        QCOMPARE(TFuncao::VerPIS(text, true), valid);
        QCOMPARE(fp.dialogs->messages.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("Atenção!"));
            QCOMPARE(fp.dialogs->messages.first().text,
                QStringLiteral("O PIS/PASEP informado não é válido!"));
            QCOMPARE(fp.dialogs->messages.first().icon, zx::MsgIcon::Error);
        }
    }

    void titulo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("message");
        // Check digits by the public rule (weights 2..9 over the serial, then 7, 8, 9
        // over the state code and the first digit).
        QTest::newRow("rio grande do sul") << "0043 5687 0906" << true << false;
        QTest::newRow("sao paulo, remainder 0 gives 1") << "1000 0001 0116" << true << false;
        QTest::newRow("other state, remainder 0 gives 0") << "1000 0001 0302" << true << false;
        QTest::newRow("wrong digit") << "004356870907" << false << true;
        QTest::newRow("zero, no message") << "0000" << false << false;
        QTest::newRow("too long") << "00043568709060" << false << true;
    }
    void titulo()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, message);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::ValTitulo(text), valid);
        QCOMPARE(fp.dialogs->texts(),
            message ? QStringList { QStringLiteral("Título inválido!!!") } : QStringList());
    }

    void estado_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("sp lower") << "sp" << true;
        QTest::newRow("RO last") << "RO" << true;
        QTest::newRow("FN") << "Fn" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("straddles two codes") << "PM" << false;
        QTest::newRow("three letters") << "SPM" << false;
        QTest::newRow("unknown") << " XX " << false;
    }
    void estado()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::ChecaEstado(text), valid);
        QCOMPARE(fp.dialogs->texts(),
            valid ? QStringList()
                  : QStringList { QLatin1Char('"') + text.trimmed()
                      + QStringLiteral("\" não é uma Sigla de Estado válida!!!") });
    }

    void valData_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("full") << "29/02/2024" << true;
        QTest::newRow("short parts") << "1/2/2024" << true;
        QTest::newRow("two-digit year") << "10/03/25" << true;
        QTest::newRow("not a leap year") << "29/02/2023" << false;
        QTest::newRow("month 13") << "01/13/2024" << false;
        QTest::newRow("empty mask") << "  /  /    " << false;
        QTest::newRow("half typed") << "12/  /    " << false;
        QTest::newRow("letters") << "ab/cd/efgh" << false;
    }
    void valData()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        zx::FakePlatform fp;
        QCOMPARE(TFuncao::ValData(text, false), valid);
        QVERIFY(fp.dialogs->messages.isEmpty());
        QCOMPARE(TFuncao::ValData(text, true), valid);
        if (!valid) {
            QCOMPARE(fp.dialogs->messages.size(), 1);
            QCOMPARE(fp.dialogs->messages.first().caption, QStringLiteral("Erro"));
            QCOMPARE(fp.dialogs->messages.first().text, QStringLiteral("Data inválida!!!"));
        }
    }

    void textHelpers_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        QTest::newRow("SoNumero") << TFuncao::SoNumero("a1.2-3 ç4") << "1234";
        QTest::newRow("FmtNr") << TFuncao::FmtNr("R$ -1.234,56 ") << "-1234,56";
        QTest::newRow("Cria_Zeros E") << TFuncao::Cria_Zeros("E", "42", 5) << "00042";
        QTest::newRow("Cria_Zeros D") << TFuncao::Cria_Zeros("D", "42", 5) << "42000";
        QTest::newRow("Cria_Zeros never cuts") << TFuncao::Cria_Zeros("E", "123456", 5) << "123456";
        QTest::newRow("inserCarac blanks") << TFuncao::inserCarac("D", ' ', "ab", 4) << "ab  ";
        QTest::newRow("RemZerEsq") << TFuncao::RemZerEsq(" 000120 ") << "120";
        QTest::newRow("RemZerEsq all zeros") << TFuncao::RemZerEsq("000") << "";
        QTest::newRow("RemZerEsq no zero") << TFuncao::RemZerEsq("102") << "102";
        QTest::newRow("RemoveAcento") << TFuncao::RemoveAcento("Ação É Güê ñ") << "Acao E Gue ñ";
        QTest::newRow("RemoveCarcEsp")
            << TFuncao::RemoveCarcEsp(QStringLiteral("a&b§c@dªeºf#g$h¨i*j´k^l~m`n"))
            << "abcdefghijklmn";
        QTest::newRow("RemovEspDup") << TFuncao::RemovEspDup("  a     b  c ", "  ", " ") << "a b c";
        QTest::newRow("RemovEspDup replacement holds pattern")
            << TFuncao::RemovEspDup("a b", " ", "  ") << "a  b";
        QTest::newRow("primMaiusc") << TFuncao::primMaiusc("jOÃO da silva") << "Joao da silva";
        QTest::newRow("primMaiusc empty") << TFuncao::primMaiusc("") << "";
        QTest::newRow("AlinhCampo centred") << TFuncao::AlinhCampo("abc", 2, 8) << "  abc   ";
        QTest::newRow("AlinhCampo right cut") << TFuncao::AlinhCampo("abcdef", 1, 4) << "abcd";
        QTest::newRow("AlinhCampo right") << TFuncao::AlinhCampo("ab", 1, 4) << "  ab";
        QTest::newRow("AlinhCampo left") << TFuncao::AlinhCampo("ab", 0, 4) << "ab  ";
        QTest::newRow("AlinhCampo other") << TFuncao::AlinhCampo("ab", 3, 4) << "";
        QTest::newRow("Encriptografar")
            << TFuncao::Encriptografar("AB", QChar(0xC8)) << "\u2020\u2026"; // 0x86 0x85
        QTest::newRow("FmtVersao") << zx::funcao::FmtVersao("2.10.3.0") << "02.10.03.00";
        QTest::newRow("FmtVersao short") << zx::funcao::FmtVersao("1.2") << "01.02.00.00";
    }
    void textHelpers()
    {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    void encriptografarRoundTrips()
    {
        QString all;
        for (int b = 0; b < 256; ++b)
            all += QChar(zx::cp1252::decodeChar(uchar(b)));
        for (QChar key : { QChar('k'), QChar(0), QChar(0xE7) }) {
            const QString once = TFuncao::Encriptografar(all, key);
            QVERIFY(once != all);
            QCOMPARE(TFuncao::Encriptografar(once, key), all);
        }
    }

    void stationOperations()
    {
        zx::FakePlatform fp;
        fp.hostInfo->ipv4 = QStringLiteral("10.1.2.3");
        QCOMPARE(TFuncao::NrIP(), QStringLiteral("10.1.2.3"));

        QCoreApplication::setApplicationVersion(QStringLiteral("3.0.1.6"));
        QCOMPARE(TFuncao::Versao(), QStringLiteral("03.00.01.06"));
        QCOMPARE(TFuncao::Versao(QCoreApplication::applicationFilePath()),
            QStringLiteral("03.00.01.06"));
        QCOMPARE(TFuncao::Versao(QStringLiteral("/bin/sh")), QString());

        TFuncao::setBoletoBaseUrl(QStringLiteral("https://slips.example/"));
        TFuncao::impBoletoTQB("123", "7", "Ana & Filhos", "Rua A, 1", "CEP 01000-000");
        QCOMPARE(fp.desktop->opened,
            QStringList { QStringLiteral("https://slips.example/boleto_bb.php?nossnr=123&grupo=7"
                                         "&nomSacad=Ana%20%26%20Filhos&ender1=Rua%20A%2C%201"
                                         "&ender2=CEP%2001000-000") });
    }

    void formExiste()
    {
        auto *w = new QWidget;
        const QWidget *dangling = nullptr;
        {
            QWidget gone;
            dangling = &gone;
        }
        QVERIFY(TFuncao::FormExiste({ nullptr, w }));
        QVERIFY(!TFuncao::FormExiste({ nullptr, dangling }));
        delete w;
        QVERIFY(!TFuncao::FormExiste({ w }));
    }

    void bordaFormShapesTheWindow()
    {
        QWidget form;
        form.resize(200, 100);
        TFuncao::BordaForm(&form, 3, Qt::red);
        QVERIFY(!form.mask().isEmpty());
        QVERIFY(!form.mask().contains(QPoint(0, 0))); // corner cut off
        QVERIFY(form.mask().contains(QPoint(100, 50)));
        QVERIFY(!form.mask().contains(QPoint(100, 99))); // height - 1
        form.show();
        form.resize(300, 150);
        QVERIFY(form.mask().contains(QPoint(250, 75))); // follows the size
        TFuncao::BordaForm(&form, 2, Qt::blue); // restyles, does not stack
        QCOMPARE(form.findChildren<QWidget *>(QStringLiteral("BordaForm")).size(), 1);
    }
};

QTEST_MAIN(TstIdentifiers)
#include "tst_identifiers.moc"
