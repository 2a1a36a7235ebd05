// Field completion, the confirmation question, the memo texts and the exact request
// records of the card pages.
#include "merchant/CardText.h"
#include "merchant/TFrmTipCancel.h"
#include "merchant/TwcCartao.h"

#include <QtTest>

using namespace zx;

class TstCardText : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("card padded") << "card" << "123" << "0000000123";
        QTest::newRow("card 1 kept") << "card" << "1" << "1";
        QTest::newRow("card 2 kept") << "card" << " 2 " << "2";
        QTest::newRow("card long kept") << "card" << "123456789012" << "123456789012";
        QTest::newRow("card zero") << "card" << "000" << "000";
        QTest::newRow("card trimmed") << "card" << " 6070001001 " << "6070001001";
        QTest::newRow("auth padded") << "auth" << "42" << "000000000042";
        QTest::newRow("auth blank") << "auth" << "" << "";
        QTest::newRow("amount") << "amount" << "1234,5" << "1.234,50";
        QTest::newRow("amount big") << "amount" << "1234567,891" << "1.234.567,89";
        QTest::newRow("amount zero kept") << "amount" << "0" << "0";
        QTest::newRow("amount text kept") << "amount" << "abc" << "abc";
    }
    void fields()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        const QString got = kind == "card" ? cartao::completaCartao(typed)
                            : kind == "auth" ? cartao::completaAutorizacao(typed)
                                             : cartao::completaValor(typed);
        QCOMPARE(got, left);
    }

    void amountKeys()
    {
        QCOMPARE(cartao::teclaValor("12", QLatin1Char('.')), QLatin1Char(','));
        QCOMPARE(cartao::teclaValor("12", QLatin1Char('3')), QLatin1Char('3'));
        QVERIFY(cartao::teclaValor("12,5", QLatin1Char(',')).isNull());
        QVERIFY(cartao::teclaValor("12,5", QLatin1Char('.')).isNull());
        QVERIFY(cartao::teclaValor("12", QLatin1Char('a')).isNull());
    }

    void question()
    {
        QCOMPARE(cartao::perguntaConfirmacao("1.234,50", 1), QStringLiteral("Confirma a autorização de R$: 1.234,50?"));
        QCOMPARE(cartao::perguntaConfirmacao("1.234,50", 3),
                 QStringLiteral("Confirma a autorização de R$: 1.234,50 dividida em 3 parcelas?"));
        QCOMPARE(cartao::parcelasDe(""), 1);
        QCOMPARE(cartao::parcelasDe("3"), 3);
    }

    void balance_data()
    {
        QTest::addColumn<QString>("situa");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("over the limit") << "1" << "500,00" << "620,00" << "" << QStringList{"SALDO ATUAL: 0,00"};
        QTest::newRow("available") << "1" << "1500,00" << "250,50" << "" << QStringList{"SALDO ATUAL: 1.249,50"};
        QTest::newRow("thousands in reply") << "1" << "1.500,00" << "250,50" << ""
                                            << QStringList{"SALDO ATUAL: 1.249,50"};
        QTest::newRow("inactive, limit text") << "3" << "CARTAO BLOQUEADO" << "" << "X"
                                              << QStringList{"Mensagem de Retorno: CARTAO BLOQUEADO"};
        QTest::newRow("missing situation, message") << "" << "" << "" << "CARTAO INEXISTENTE"
                                                    << QStringList{"Mensagem de Retorno: CARTAO INEXISTENTE"};
        QTest::newRow("inactive, empty") << "0" << "" << "" << ""
                                         << QStringList{"Mensagem de Retorno: RETORNO VAZIO. Verifique a conexão!"};
    }
    void balance()
    {
        QFETCH(QString, situa);
        QFETCH(QString, limit);
        QFETCH(QString, used);
        QFETCH(QString, message);
        QFETCH(QStringList, lines);
        protocol::TRegist r{{"SITUA_CARTA", "LIMIT_FUNCI", "ACUMU_FUNCI", "DESCR_FUNCI", "DEPEN_FUNCI", "DESCR_INSTI",
                             "MENSA_RETOR"},
                            {situa, limit, used, "ANA", "JOAO", "METALURGICA", message}};
        const QStringList got = cartao::linhasSaldo(r, "6070001001", "https://x");
        if (situa != "1") {
            QCOMPARE(got, lines);
            return;
        }
        QCOMPARE(got.size(), 9);
        QCOMPARE(got.at(0), QStringLiteral("Cartão.....: 607 000 100 1"));
        QCOMPARE(got.at(1), QStringLiteral("Funcionário: ANA"));
        QCOMPARE(got.at(2), QStringLiteral("Dependente.: JOAO"));
        QCOMPARE(got.at(4), QStringLiteral("Empresa....: METALURGICA"));
        QCOMPARE(got.at(6), lines.first());
        QCOMPARE(got.at(8), QStringLiteral("Observação.: O limite e a movimentação do Cartão-Convênio,   estão  "
                                           "disponíveis  na Empresa ou através do site: https://x"));
    }

    void contact()
    {
        protocol::TRegist r;
        r.valores = {"ANA", "11987654321", "METALURGICA", "1133334444", "", "11999998888", "25",
                     "RUA A", "CENTRO", "", "SAO PAULO", "SP", "JOAO"};
        r.campos = QStringList(r.valores.size(), "X");
        const QStringList l = cartao::linhasConsulta(r);
        QCOMPARE(l.at(0), QStringLiteral("            - C O N S U L T A -"));
        QCOMPARE(l.at(3), QStringLiteral("Dependente.: JOAO"));
        QCOMPARE(l.at(5), QStringLiteral("Liberação..: dia 26"));
        QCOMPARE(l.at(8), QStringLiteral("Endereço...: RUA A, S/N - CENTRO SAO PAULO/SP"));
        QVERIFY(cartao::sqlConsultaCartao("60]70").endsWith("where C.NUMER_CARTA = ENCRIP[6070]"));
    }

    void requests()
    {
        const QString venda = montaVenda("147258", "0", 3, Money::parse("1234,5").value(), " 6070001001 ",
                                         "45312768000190", "11/12/2026");
        QVERIFY(venda.contains("<NUMER_CARTA>6070001001</NUMER_CARTA>"));
        QVERIFY(venda.contains("<VALOR_VENDA>1.234,50</VALOR_VENDA>"));
        QVERIFY(venda.contains("<PARCE_VENDA>3</PARCE_VENDA>"));
        QVERIFY(venda.indexOf("NUMER_CARTA") < venda.indexOf("SEMD5_FUNCI"));
        QVERIFY(venda.indexOf("CNPJ_FORNE") < venda.indexOf("DATA_VENDA"));

        // With a number: the three columns only.
        const QString porNumero = montaExtorno("000000001001", "CAIXA", "45312768000190",
                                               {"000000001001", "6070001001", "11/12/2026", "30,00", "A"});
        QVERIFY(porNumero.contains("<AUTOR_VENDA>000000001001</AUTOR_VENDA>"));
        QVERIFY(!porNumero.contains("CARTA_VENDA"));
        // Without: the sale travels along so that only it can be reversed.
        const QString pendente = montaExtorno("", "TQBSYSTEM", "45312768000190",
                                              {"", "6070001001", "11/12/2026", "30,00", "P"});
        QVERIFY(pendente.contains("<AUTOR_VENDA></AUTOR_VENDA>") || pendente.contains("<AUTOR_VENDA/>"));
        QVERIFY(pendente.contains("<USER_CANCE>TQBSYSTEM</USER_CANCE>"));
        QVERIFY(pendente.contains("<CARTA_VENDA>6070001001</CARTA_VENDA>"));
        QVERIFY(pendente.contains("<DATA_VENDA>11/12/2026</DATA_VENDA>"));
        QVERIFY(pendente.contains("<VALOR_VENDA>30,00</VALOR_VENDA>"));
    }

    void optionDialog()
    {
        TFrmTipCancel d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Assitente de cancelamento de cartão"));
        QCOMPARE(d.groupCaption(), QStringLiteral("Tipo de Cancelamento:"));
        QCOMPARE(d.items().size(), 3);
        QCOMPARE(d.itemIndex(), 0);
        d.setItems({"a", "b"});
        d.setItemIndex(1);
        QCOMPARE(d.itemIndex(), 1);
        QCOMPARE(d.items(), QStringList({"a", "b"}));
    }
};

QTEST_MAIN(TstCardText)
#include "tst_cardtext.moc"
