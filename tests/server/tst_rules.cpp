// The authorization rules as a station meets them: packed record lists through the
// SOAP operations of kv1, kv1_F, kv3 and servico, on the demo network.
#include "SqlService.h"
#include "common/core/Money.h"
#include "helper_server.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"

#include <QSqlQuery>
#include <QtTest>

using namespace zx;
using namespace zx::server;

namespace {

const QStringList kSaleCols
    = { "NUMER_CARTA", "SEMD5_FUNCI", "VALOR_VENDA", "PARCE_VENDA", "CNPJ_FORNE", "DATA_VENDA" };

QString saleRequest(const QString &card, const QString &pwd, const QString &amount,
    const QString &parcels, const QString &merchant, const QDate &date)
{
    return zxtest::record(
        kSaleCols, { card, pwd, amount, parcels, merchant, date.toString("dd/MM/yyyy") });
}

} // namespace

class TstRules : public QObject {
    Q_OBJECT
    const DemoFacts &f = demoFacts();

    QHash<QString, QString> sell(zxtest::DemoServer &d, const QString &card, const QString &pwd,
        const QString &amount, const QString &parcels = "1", QString merchant = {},
        QDate stationDate = {})
    {
        if (merchant.isEmpty())
            merchant = f.merchantCnpj;
        return zxtest::firstRow(d.callText("kv1", "getAutoriz",
            { saleRequest(card, pwd, amount, parcels, merchant,
                stationDate.isValid() ? stationDate : d.now.date()) }));
    }
    QHash<QString, QString> reverse(zxtest::DemoServer &d, const QString &auth,
        const QString &merchant, const QStringList &extra = {})
    {
        QStringList cols = { "AUTOR_VENDA", "USER_CANCE", "CNPJ_FORNE" };
        QStringList cells = { auth, "TQBSYSTEM", merchant };
        if (!extra.isEmpty()) {
            cols << "CARTA_VENDA"
                 << "DATA_VENDA"
                 << "VALOR_VENDA";
            cells << extra;
        }
        return zxtest::firstRow(d.callText("kv1", "CancAutoriz", { zxtest::record(cols, cells) }));
    }
    QHash<QString, QString> balance(zxtest::DemoServer &d, const QString &card, const QString &pwd)
    {
        return zxtest::firstRow(d.callText("kv1", "getResCart",
            { zxtest::record(
                { "NUMER_CARTA", "SEMD5_FUNCI", "CNPJ_FORNE" }, { card, pwd, f.merchantCnpj }) }));
    }
    static QString used(zxtest::DemoServer &d, const QString &card)
    {
        QSqlQuery q(d.store().db());
        q.prepare("select ACUMU_CARTA from KV_CARTAO where NUMER_CARTA = ?");
        q.addBindValue(card);
        q.exec();
        return q.next() ? Money::fromCents(q.value(0).toLongLong()).format() : QString();
    }
    static QString situation(zxtest::DemoServer &d, const QString &auth)
    {
        QSqlQuery q(d.store().db());
        q.prepare("select SITUA_VENDA from KV_VENDA where AUTOR_VENDA = ?");
        q.addBindValue(auth);
        q.exec();
        return q.next() ? q.value(0).toString() : QString();
    }
    static qint64 salesCount(zxtest::DemoServer &d)
    {
        QSqlQuery q(d.store().db());
        q.exec("select count(*) from KV_VENDA");
        q.next();
        return q.value(0).toLongLong();
    }

private slots:
    void saleAuthorized()
    {
        zxtest::DemoServer d;
        const auto r = sell(d, f.card.number, f.card.password, "1.010,00", "2");
        QCOMPARE(r.value("MENSA_RETOR"), QStringLiteral("ID000AUTORIZACAO CONCEDIDA"));
        const QString auth = r.value("AUTOR_VENDA");
        QCOMPARE(auth.size(), 12);
        QVERIFY(auth.toLongLong() > 0);
        QCOMPARE(r.value("SITUA_VENDA"), QStringLiteral("A"));
        QCOMPARE(r.value("COMD5_SALDO"), QStringLiteral("1"));
        QCOMPARE(r.value("DATA_VENDA"), d.now.date().toString("dd/MM/yyyy"));
        QCOMPARE(r.value("VALOR_VENDA"), QStringLiteral("1.010,00"));
        QCOMPARE(r.value("PARCE_VENDA"), QStringLiteral("2"));
        QCOMPARE(r.value("DESCR_FUNCI"), QStringLiteral("ANA PAULA FERREIRA"));
        QCOMPARE(r.value("DESCR_INSTI"), QStringLiteral("METALURGICA HORIZONTE S/A"));
        QCOMPARE(r.value("CNPJ_INSTI"), f.payrollCnpj);
        QCOMPARE(r.value("MATRI_FUNCI"), QStringLiteral("0001"));
        QCOMPARE(used(d, f.card.number), QStringLiteral("1.310,30")); // 300,30 before
        QCOMPARE(situation(d, auth), QStringLiteral("A"));
        // The next number follows.
        const auto r2 = sell(d, f.card.number, f.card.password, "5,00");
        QCOMPARE(r2.value("AUTOR_VENDA").toLongLong(), auth.toLongLong() + 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("parcels");
        QTest::addColumn<QString>("merchant");
        QTest::addColumn<QString>("message");
        const DemoFacts &f = demoFacts();
        QTest::newRow("unknown card") << "9999999999"
                                      << ""
                                      << "10,00"
                                      << "1" << f.merchantCnpj << "CARTAO INEXISTENTE";
        QTest::newRow("temporarily blocked")
            << f.cardTempBlocked.number << f.cardTempBlocked.password << "10,00"
            << "1" << f.merchantCnpj << "CARTAO BLOQUEADO TEMPORARIAMENTE";
        QTest::newRow("cancelled") << f.cardCancelled.number << f.cardCancelled.password << "10,00"
                                   << "1" << f.merchantCnpj << "CARTAO CANCELADO";
        QTest::newRow("blocked") << f.cardBlocked.number << f.cardBlocked.password << "10,00"
                                 << "1" << f.merchantCnpj << "CARTAO BLOQUEADO";
        QTest::newRow("institution blocked")
            << f.cardBlockedInstitution.number << f.cardBlockedInstitution.password << "10,00"
            << "1" << f.merchantCnpj << "EMPRESA CONVENIADA BLOQUEADA";
        QTest::newRow("merchant inactive")
            << f.card.number << f.card.password << "10,00"
            << "1" << f.inactiveMerchantCnpj << "ESTABELECIMENTO INATIVO";
        QTest::newRow("merchant unknown") << f.card.number << f.card.password << "10,00"
                                          << "1"
                                          << "11111111000191"
                                          << "ESTABELECIMENTO NAO CREDENCIADO";
        QTest::newRow("wrong password") << f.card.number << "147259"
                                        << "10,00"
                                        << "1" << f.merchantCnpj << "SENHA INVALIDA";
        QTest::newRow("password digest instead of the password")
            << f.card.number << protocol::getMD5(f.card.password) << "10,00"
            << "1" << f.merchantCnpj << "SENHA INVALIDA";
        QTest::newRow("password missing") << f.card.number << ""
                                          << "10,00"
                                          << "1" << f.merchantCnpj << "SENHA OBRIGATORIA";
        QTest::newRow("password for a holder without one")
            << f.cardNoPassword.number << "123456"
            << "10,00"
            << "1" << f.merchantCnpj << "SEM SENHA CADASTRADA";
        QTest::newRow("instalments over the maximum") << f.card.number << f.card.password << "10,00"
                                                      << "4" << f.merchantCnpj << "PARCELAS";
        QTest::newRow("instalments at a one-payment merchant")
            << f.card.number << f.card.password << "10,00"
            << "2" << f.otherMerchantCnpj << "PARCELAS";
        QTest::newRow("zero instalments") << f.card.number << f.card.password << "10,00"
                                          << "0" << f.merchantCnpj << "PARCELAS";
        QTest::newRow("zero amount") << f.card.number << f.card.password << "0,00"
                                     << "1" << f.merchantCnpj << "VALOR INVALIDO";
        QTest::newRow("amount not a number") << f.card.number << f.card.password << "abc"
                                             << "1" << f.merchantCnpj << "VALOR INVALIDO";
        QTest::newRow("over the balance")
            << f.cardLowBalance.number << f.cardLowBalance.password << "10,01"
            << "1" << f.merchantCnpj << "SALDO INSUFICIENTE";
    }
    void refusals()
    {
        QFETCH(QString, card);
        QFETCH(QString, password);
        QFETCH(QString, amount);
        QFETCH(QString, parcels);
        QFETCH(QString, merchant);
        QFETCH(QString, message);
        zxtest::DemoServer d;
        const qint64 before = salesCount(d);
        const QString usedBefore = used(d, card);
        const auto r = sell(d, card, password, amount, parcels, merchant);
        QCOMPARE(r.value("AUTOR_VENDA"), QStringLiteral("0"));
        QVERIFY2(r.value("MENSA_RETOR").contains(message), qPrintable(r.value("MENSA_RETOR")));
        QVERIFY2(r.value("MENSA_RETOR").startsWith("ID00")
                && !r.value("MENSA_RETOR").startsWith("ID001"),
            qPrintable(r.value("MENSA_RETOR")));
        QCOMPARE(salesCount(d), before);
        QCOMPARE(used(d, card), usedBefore);
    }

    void limitToTheCent()
    {
        zxtest::DemoServer d;
        QCOMPARE(sell(d, f.cardLowBalance.number, f.cardLowBalance.password, "10,00")
                     .value("AUTOR_VENDA")
                     .size(),
            12);
        QCOMPARE(used(d, f.cardLowBalance.number), QStringLiteral("300,00"));
        QVERIFY(sell(d, f.cardLowBalance.number, f.cardLowBalance.password, "0,01")
                    .value("MENSA_RETOR")
                    .contains("SALDO"));
    }

    void holderWithoutPasswordSellsWithEmptyValue()
    {
        zxtest::DemoServer d;
        const auto r = sell(d, f.cardNoPassword.number, "", "20,00");
        QCOMPARE(r.value("AUTOR_VENDA").size(), 12);
        QCOMPARE(r.value("COMD5_SALDO"), QStringLiteral("2"));
    }

    void promptlessSegmentsSellWithoutPassword()
    {
        zxtest::DemoServer d;
        SqlService sql(d.store().db());
        QVERIFY(
            sql.exec("update KV_FORNECEDOR set SEGME_FORNE = ENCRIP[12] where CNPJ_FORNE = ENCRIP["
                + f.merchantCnpj + "]"));
        QCOMPARE(sell(d, f.card.number, "", "20,00").value("COMD5_SALDO"), QStringLiteral("2"));
        // A password that is typed is still checked.
        QVERIFY(sell(d, f.card.number, "000000", "21,00")
                    .value("MENSA_RETOR")
                    .contains("SENHA INVALIDA"));
    }

    void duplicateSale()
    {
        zxtest::DemoServer d;
        const auto first = sell(d, f.card.number, f.card.password, "25,00");
        const QString auth = first.value("AUTOR_VENDA");
        QCOMPARE(auth.size(), 12);
        const auto again = sell(d, f.card.number, f.card.password, "25,00");
        QVERIFY(again.value("MENSA_RETOR").startsWith("ID001"));
        QCOMPARE(again.value("AUTOR_VENDA"), auth);
        QCOMPARE(used(d, f.card.number), QStringLiteral("325,30")); // counted once
        // Another amount, another merchant or another day is a new sale.
        QVERIFY(sell(d, f.card.number, f.card.password, "25,01")
                    .value("MENSA_RETOR")
                    .startsWith("ID000"));
        QVERIFY(sell(d, f.card.number, f.card.password, "25,00", "1", f.otherMerchantCnpj)
                    .value("MENSA_RETOR")
                    .startsWith("ID000"));
        // Once reversed, the same sale may be made again.
        QVERIFY(reverse(d, auth, f.merchantCnpj).value("MENSA_RETOR").contains("SUCESSO"));
        const auto third = sell(d, f.card.number, f.card.password, "25,00");
        QVERIFY(third.value("MENSA_RETOR").startsWith("ID000"));
        d.now = d.now.addDays(1);
        QVERIFY(sell(d, f.card.number, f.card.password, "25,00")
                    .value("MENSA_RETOR")
                    .startsWith("ID000"));
    }

    void reversalByNumber()
    {
        zxtest::DemoServer d;
        const QString auth = sell(d, f.card.number, f.card.password, "40,00").value("AUTOR_VENDA");
        QCOMPARE(used(d, f.card.number), QStringLiteral("340,30"));
        // Another merchant cannot reverse it.
        const auto foreign = reverse(d, auth, f.otherMerchantCnpj);
        QVERIFY(!foreign.value("MENSA_RETOR").contains("SUCESSO", Qt::CaseInsensitive));
        QCOMPARE(situation(d, auth), QStringLiteral("A"));
        // The merchant can, also with the number typed without its zeros.
        const auto own = reverse(d, QString::number(auth.toLongLong()), f.merchantCnpj);
        QVERIFY2(
            own.value("MENSA_RETOR").contains("SUCESSO"), qPrintable(own.value("MENSA_RETOR")));
        QCOMPARE(situation(d, auth), QStringLiteral("C"));
        QCOMPARE(used(d, f.card.number), QStringLiteral("300,30"));
        // Twice is not twice.
        QVERIFY(!reverse(d, auth, f.merchantCnpj).value("MENSA_RETOR").contains("SUCESSO"));
        QCOMPARE(used(d, f.card.number), QStringLiteral("300,30"));
        QVERIFY(
            !reverse(d, "999999999999", f.merchantCnpj).value("MENSA_RETOR").contains("SUCESSO"));
    }

    // The pending-sale recovery sends no number: only the merchant's active sale with the
    // card, amount and station date it kept is reversed, never another one.
    void reversalWithoutNumber()
    {
        zxtest::DemoServer d;
        const QDate stationDate = d.now.date().addDays(-1); // the station's clock may differ
        const QString lost = sell(d, f.card.number, f.card.password, "33,30", "1", {}, stationDate)
                                 .value("AUTOR_VENDA");
        const QString other = sell(d, f.card.number, f.card.password, "33,31").value("AUTOR_VENDA");
        const QString elsewhere = sell(
            d, f.card.number, f.card.password, "33,30", "1", f.otherMerchantCnpj, stationDate)
                                      .value("AUTOR_VENDA");
        const QString dmy = stationDate.toString("dd/MM/yyyy");

        QVERIFY(!reverse(d, "", f.merchantCnpj).value("MENSA_RETOR").contains("SUCESSO"));
        QVERIFY(!reverse(d, "", f.merchantCnpj, { f.card.number, dmy, "33,32" })
                     .value("MENSA_RETOR")
                     .contains("SUCESSO"));
        QVERIFY(!reverse(d, "", f.merchantCnpj,
            { f.card.number, d.now.date().addDays(-2).toString("dd/MM/yyyy"), "33,30" })
                     .value("MENSA_RETOR")
                     .contains("SUCESSO"));
        QVERIFY(!reverse(d, "", f.merchantCnpj, { f.cardNoPassword.number, dmy, "33,30" })
                     .value("MENSA_RETOR")
                     .contains("SUCESSO"));
        QCOMPARE(situation(d, lost), QStringLiteral("A"));

        const auto r = reverse(d, "", f.merchantCnpj, { f.card.number, dmy, "33,30" });
        QVERIFY2(r.value("MENSA_RETOR").contains("SUCESSO"), qPrintable(r.value("MENSA_RETOR")));
        QCOMPARE(r.value("AUTOR_VENDA"), lost);
        QCOMPARE(situation(d, lost), QStringLiteral("C"));
        QCOMPARE(situation(d, other), QStringLiteral("A"));
        QCOMPARE(situation(d, elsewhere), QStringLiteral("A"));
        // Nothing is left to match a second time.
        QVERIFY(!reverse(d, "", f.merchantCnpj, { f.card.number, dmy, "33,30" })
                     .value("MENSA_RETOR")
                     .contains("SUCESSO"));
        QCOMPARE(situation(d, elsewhere), QStringLiteral("A"));
    }

    void balanceReply()
    {
        zxtest::DemoServer d;
        const auto r = balance(d, f.card.number, f.card.password);
        QCOMPARE(r.value("SITUA_CARTA"), QStringLiteral("1"));
        QCOMPARE(r.value("LIMIT_FUNCI"), QStringLiteral("1.500,00"));
        QCOMPARE(r.value("ACUMU_FUNCI"), QStringLiteral("300,30"));
        QCOMPARE(r.value("DESCR_FUNCI"), QStringLiteral("ANA PAULA FERREIRA"));
        QCOMPARE(r.value("DESCR_INSTI"), QStringLiteral("METALURGICA HORIZONTE S/A"));
        QCOMPARE(r.value("SEGME_FORNE"), QStringLiteral("1"));
        QCOMPARE(r.value("PARCE_FORNE"), QStringLiteral("3"));
        QCOMPARE(r.value("MUNIC_FORNE"), QStringLiteral("1"));

        const auto wrong = balance(d, f.card.number, "111111");
        QVERIFY(wrong.value("SITUA_CARTA") != "1");
        QCOMPARE(wrong.value("LIMIT_FUNCI"), QStringLiteral("SENHA INVALIDA"));
        QVERIFY(wrong.value("DESCR_FUNCI").isEmpty());
        QCOMPARE(wrong.value("PARCE_FORNE"), QStringLiteral("3"));

        const auto blocked = balance(d, f.cardBlocked.number, f.cardBlocked.password);
        QCOMPARE(blocked.value("SITUA_CARTA"), QStringLiteral("3"));
        QCOMPARE(blocked.value("LIMIT_FUNCI"), QStringLiteral("CARTAO BLOQUEADO"));
        QCOMPARE(balance(d, f.cardNoPassword.number, "").value("SITUA_CARTA"), QStringLiteral("1"));
    }

    void loyaltyServiceKeepsTheSaleType()
    {
        zxtest::DemoServer d;
        const auto r = zxtest::firstRow(d.callText("kv1_F", "getAutoriz",
            { zxtest::record(kSaleCols + QStringList { "TIPO_VENDA" },
                { f.cardLoyalty.number, f.cardLoyalty.password, "30,00", "1", f.loyaltyCnpj,
                    d.now.date().toString("dd/MM/yyyy"), "2" }) }));
        QCOMPARE(r.value("AUTOR_VENDA").size(), 12);
        QCOMPARE(r.value("FUNCI_VENDA"), QStringLiteral("2"));
        QSqlQuery q(d.store().db());
        q.exec(
            "select TIPO_VENDA from KV_VENDA where AUTOR_VENDA = '" + r.value("AUTOR_VENDA") + "'");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("2"));
    }

    // Today's, yesterday's and tomorrow's identity are accepted (clock skew at
    // midnight); any other is refused with an error reply, and nothing changes.
    void identity_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("today") << 0 << true;
        QTest::newRow("yesterday") << -1 << true;
        QTest::newRow("tomorrow") << 1 << true;
        QTest::newRow("two days ago") << -2 << false;
        QTest::newRow("in two days") << 2 << false;
        QTest::newRow("a week ago") << -7 << false;
    }
    void identity()
    {
        QFETCH(int, offset);
        QFETCH(bool, accepted);
        zxtest::DemoServer d;
        const QDate id = d.now.date().addDays(offset);
        const auto sale = zxtest::firstRow(d.callText("kv1", "getAutoriz",
            { saleRequest(f.card.number, f.card.password, "12,00", "1", f.merchantCnpj, id) }, id));
        QCOMPARE(sale.value("AUTOR_VENDA").size() == 12, accepted);
        if (!accepted)
            QVERIFY(sale.value("MENSA_RETOR").contains("IDENTIFICACAO"));
        const auto bal = zxtest::firstRow(d.callText("kv1", "getResCart",
            { zxtest::record({ "NUMER_CARTA", "SEMD5_FUNCI", "CNPJ_FORNE" },
                { f.card.number, f.card.password, f.merchantCnpj }) },
            id));
        QCOMPARE(bal.value("SITUA_CARTA") == "1", accepted);
        const QString rows
            = d.callText("kv3", "getDSXML2", { "select LOGIN_USUAR from KV_USUARIO" }, id);
        QCOMPARE(rows.startsWith("<?xml"), accepted);
        const auto exec = d.call("kv3", "execSQL2",
            { "update KV_CARTAO set IMPRE_CARTA = 2 where NUMER_CARTA = ENCRIP[" + f.card.number
                + "]" },
            id);
        QVERIFY(exec.ok());
        QCOMPARE(exec.value.toBool(), accepted);
        const QString user = d.callText("kv3", "getUserOk",
            { zxtest::record({ "LOGIN_USER", "SENHA_USER", "CNPJ_FORNE", "TIPO_AUTOR" },
                { f.merchantUser, f.merchantUserPassword, f.merchantCnpj, "VD" }) },
            id);
        QCOMPARE(user == "SUCESSO", accepted);
        const auto matr = d.call("servico", "getUltMatr", { f.payrollCnpj }, id);
        QCOMPARE(matr.ok(), accepted);
        if (accepted)
            QCOMPARE(matr.value.toInt(), 12);
        else
            QCOMPARE(int(matr.kind), int(soap::SoapResponse::Fault));
    }

    void identityOfTheWrongForm()
    {
        // The merchant operations carry the hashed identifier; the plain one is refused.
        zxtest::DemoServer d;
        const QString req = zxtest::record({ "NUMER_CARTA", "SEMD5_FUNCI", "CNPJ_FORNE" },
            { f.card.number, f.card.password, f.merchantCnpj });
        const QByteArray env = soap::writeRequest("http://tempuri.org/", "getResCart",
            { { "idCliente", soap::XsdType::Base64Binary,
                  protocol::getZip(protocol::getIDWeb(d.now.date())) },
                { "prmSaldo", soap::XsdType::Base64Binary, protocol::getZip(req) } });
        const auto out = d.raw("kv1", env);
        const auto reply = soap::readResponse(
            out.body, "http://tempuri.org/", "getResCart", soap::XsdType::Base64Binary);
        QVERIFY(reply.ok());
        QVERIFY(protocol::getUnzip(reply.value.toByteArray())->contains("IDENTIFICACAO"));
    }

    void webUsers_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("company");
        QTest::addColumn<bool>("ok");
        const DemoFacts &f = demoFacts();
        QTest::newRow("merchant user")
            << f.merchantUser << f.merchantUserPassword << f.merchantCnpj << true;
        QTest::newRow("login in another case")
            << f.merchantUser.toLower() << f.merchantUserPassword << f.merchantCnpj << true;
        QTest::newRow("wrong password") << f.merchantUser << "1111" << f.merchantCnpj << false;
        QTest::newRow("unknown login") << "NINGUEM"
                                       << "1234" << f.merchantCnpj << false;
        QTest::newRow("another company's user")
            << f.institutionUser << f.institutionUserPassword << f.merchantCnpj << false;
        QTest::newRow("network staff anywhere")
            << f.staffUser << f.staffUserPassword << f.payrollCnpj << true;
    }
    void webUsers()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, company);
        QFETCH(bool, ok);
        zxtest::DemoServer d;
        const QString r = d.callText("kv3", "getUserOk",
            { zxtest::record({ "LOGIN_USER", "SENHA_USER", "CNPJ_FORNE", "TIPO_AUTOR" },
                { login, password, company, "VD" }) });
        QCOMPARE(r.toUpper().contains("SUCESSO"), ok);
        if (!ok)
            QVERIFY2(r.toUpper().contains("USUARIO"),
                qPrintable(r)); // the station forgets its cached login
    }

    void clockAndLastRegistration()
    {
        zxtest::DemoServer d;
        const auto r = zxtest::firstRow(d.callText("kv3", "getDatHor", {}));
        QCOMPARE(r.value("VERSAO"), QStringLiteral("3.0.1.7"));
        QCOMPARE(r.value("DATA"), QStringLiteral("14/06/2024"));
        QCOMPARE(r.value("HORA"), QStringLiteral("10:30:00"));
        QCOMPARE(d.call("servico", "getUltMatr", { "60.815.427/0001-" + f.payrollCnpj.right(2) })
                     .value.toInt(),
            12);
        QCOMPARE(d.call("servico", "getUltMatr", { "11111111000191" }).value.toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TstRules)
#include "tst_rules.moc"
