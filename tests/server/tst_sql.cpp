// SQL over the service: every statement the stations send runs on the demo data; what
// arrives inside markers or quotes can never become a second statement or reach a table
// that is not the network's.
#include "DocDigits.h"
#include "SqlService.h"
#include "SqlTranslator.h"
#include "helper_server.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/TextRules.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace zx;
using namespace zx::server;

namespace {

struct Entry {
    QString title, expect, sql;
};

QList<Entry> readFixture()
{
    QFile f(QStringLiteral(ZX_SOURCE_DIR "/tests/server/sql_fixture.txt"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("sql_fixture.txt missing");
    QList<Entry> out;
    Entry cur;
    QString comment;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(u'#')) {
            comment = line.mid(1).trimmed();
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        if (cur.expect.isEmpty()) {
            cur.expect = line.trimmed();
            cur.title = comment;
        } else {
            cur.sql = line; // as written, trailing blanks included
            out.append(cur);
            cur = Entry();
        }
    }
    return out;
}

QString substitute(QString sql, const QDate &today)
{
    const DemoFacts &f = demoFacts();
    const QDate prev = QDate(today.year(), today.month(), 1).addMonths(-1);
    const QHash<QString, QString> values = {
        { "MERCHANT", f.merchantCnpj },
        { "PAYROLL", f.payrollCnpj },
        { "FOOD", f.foodCnpj },
        { "LOYALTY", f.loyaltyCnpj },
        { "NEW_CNPJ", cnpjWithDigits("461732580001") },
        { "CARD", f.card.number },
        { "CPF_ANA", cpfWithDigits("318554217") },
        { "CPF_VALTER", cpfWithDigits("267392548") },
        { "CPF_WANDA", cpfWithDigits("378403659") },
        { "CPF_NEW", cpfWithDigits("592741836") },
        { "TODAY", today.toString("dd/MM/yyyy") },
        { "IN30_ISO", today.addDays(30).toString("yyyy-MM-dd") },
        { "PERIOD_FROM_ISO", prev.addDays(-40).toString("yyyy-MM-dd") },
        { "PERIOD_TO_ISO", prev.addDays(-20).toString("yyyy-MM-dd") },
        { "SLIP2", "28714650000000002" },
    };
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        sql.replace("${" + it.key() + "}", it.value());
    return sql;
}

} // namespace

class TstSql : public QObject {
    Q_OBJECT
    std::unique_ptr<zxtest::DemoServer> demo; // the fixture's database, kept across rows

private slots:
    void initTestCase() { demo = std::make_unique<zxtest::DemoServer>(); }

    void fixture_data()
    {
        QTest::addColumn<QString>("expect");
        QTest::addColumn<QString>("sql");
        int n = 0;
        for (const Entry &e : readFixture())
            QTest::addRow("%02d %s", ++n, qPrintable(e.title.left(60))) << e.expect << e.sql;
        QVERIFY(n > 60);
    }
    void fixture()
    {
        QFETCH(QString, expect);
        QFETCH(QString, sql);
        SqlService svc(demo->store().db());
        const QString text = substitute(sql, demo->now.date());
        QStringList checks = substitute(expect, demo->now.date()).split(QStringLiteral(" ; "));
        const QString kind = checks.takeFirst();
        if (kind == u"done" || kind == u"fails") {
            QString why;
            const bool done = svc.exec(text, &why);
            QVERIFY2(done == (kind == u"done"), qPrintable(why + " :: " + text));
            return;
        }
        const QString reply = svc.query(text);
        QVERIFY2(!reply.startsWith(u"ERRO ENCONTRADO"), qPrintable(reply + " :: " + text));
        protocol::TblTemp rows;
        QString err;
        QVERIFY2(
            protocol::setTblTempXMLSt(protocol::escapeAmpersands(reply), rows, &err).has_value(),
            qPrintable(err));
        if (kind.startsWith(u"rows>="))
            QVERIFY2(rows.size() >= kind.mid(6).toInt(), qPrintable(reply));
        else
            QCOMPARE(rows.size(), kind.mid(5).toInt());
        for (const QString &c : checks) {
            const QString name = c.section(u'=', 0, 0), value = c.section(u'=', 1);
            QVERIFY2(!rows.isEmpty(), qPrintable(reply));
            QVERIFY2(rows.first().campos.contains(name), qPrintable(name + " not in " + reply));
            QCOMPARE(
                protocol::restoreAmpersands(protocol::vlrRegByName(rows.first(), name)), value);
        }
    }

    // Each ENCRIP value is bound in the stored form of the column it meets.
    void translation_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expectedSql");
        QTest::addColumn<QVariantList>("binds");
        QTest::newRow("marker becomes a parameter")
            << "select X from KV_PESSOA where CNPJ_PESSO = ENCRIP[04.123/x']"
            << "select X from KV_PESSOA where CNPJ_PESSO = ?" << QVariantList { "04.123/x'" };
        QTest::newRow("amount to cents, date to ISO")
            << "update KV_CARTAO set LIMIT_CARTA = ENCRIP[1.234,56], EMISS_CARTA = "
               "ENCRIP[05/03/2024] where NUMER_CARTA = ENCRIP[0000000123]"
            << "update KV_CARTAO set LIMIT_CARTA = ? , EMISS_CARTA = ? where NUMER_CARTA = ?"
            << QVariantList { qint64(123456), "2024-03-05", "0000000123" };
        QTest::newRow("alias dropped in update")
            << "update KV_FUNCIONARIO FC set FC.CELUL_FUNCI = ENCRIP[1199] where FC.CPF_FUNCI = "
               "ENCRIP[1]"
            << "update KV_FUNCIONARIO set CELUL_FUNCI = ? where CPF_FUNCI = ?"
            << QVariantList { "1199", "1" };
        QTest::newRow("bare number against a text identifier compares numerically")
            << "select B.NOSNR_BOLET from boleto B where B.CNPJ_BOLET = 4123"
            << "select B.NOSNR_BOLET from boleto B where CAST(B.CNPJ_BOLET AS INTEGER) = 4123"
            << QVariantList {};
        QTest::newRow("bare amount to cents")
            << "select CHAVE_RPS from rps where VALOR_RPS <> 0 and NOTA_RPS = 0"
            << "select CHAVE_RPS from rps where VALOR_RPS <> ? and NOTA_RPS = 0"
            << QVariantList { qint64(0) };
        QTest::newRow("quoted dates between")
            << "select CHAVE_RPS from rps where DATA_RPS between '01/05/2024' and '2024-05-31'"
            << "select CHAVE_RPS from rps where DATA_RPS between ? and ?"
            << QVariantList { "2024-05-01", "2024-05-31" };
        QTest::newRow("insert values follow the column list")
            << "insert into KV_AJUDACUSTO (CPF_AJUDA, CNPJ_INSTI, VALOR_AJUDA) values (ENCRIP[1], "
               "'2', ENCRIP[10,5])"
            << "insert into KV_AJUDACUSTO ( CPF_AJUDA , CNPJ_INSTI , VALOR_AJUDA ) values ( ? , "
               "'2' , ? )"
            << QVariantList { "1", qint64(1050) };
        QTest::newRow("markers inside quotes are text")
            << "select X from KV_PESSOA where DESCR_PESSO = 'ENCRIP[1]'"
            << "select X from KV_PESSOA where DESCR_PESSO = 'ENCRIP[1]'" << QVariantList {};
    }
    void translation()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expectedSql);
        QFETCH(QVariantList, binds);
        const SqlTranslation t = translateSql(sql);
        QVERIFY2(t.ok(), qPrintable(t.error));
        QCOMPARE(t.statement->sql, expectedSql);
        QCOMPARE(t.statement->binds, binds);
    }

    // Refused outright, with a reason; nothing runs.
    void refused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("two statements") << "update KV_CARTAO set IMPRE_CARTA = 2 where NUMER_CARTA "
                                           "= ENCRIP[1]; update KV_CARTAO set SITUA_CARTA = '1'";
        QTest::newRow("second statement after a select")
            << "select 1 from KV_PESSOA; select 2 from KV_PESSOA";
        QTest::newRow("delete") << "delete from KV_VENDA";
        QTest::newRow("drop") << "drop table KV_VENDA";
        QTest::newRow("pragma") << "pragma writable_schema = 1";
        QTest::newRow("attach") << "select 1 from KV_PESSOA where 1 = 1 attach database 'x' as y";
        QTest::newRow("foreign table") << "select * from sqlite_master";
        QTest::newRow("schema-qualified table") << "select * from main.KV_PESSOA";
        QTest::newRow("table not of the network") << "select * from usuarios";
        QTest::newRow("union into sqlite_master")
            << "select NUMER_CARTA from KV_CARTAO union select name from sqlite_master";
        QTest::newRow("sub-select of another table")
            << "select * from KV_PESSOA where CNPJ_PESSO in (select sql from sqlite_schema)";
        QTest::newRow("comment") << "select * from KV_PESSOA -- where 1";
        QTest::newRow("block comment") << "select * from KV_PESSOA /* x */";
        QTest::newRow("unterminated quote") << "select * from KV_PESSOA where DESCR_PESSO = 'abc";
        QTest::newRow("quote closed early, then a statement")
            << "update KV_FORNECEDOR set ID_ALGOR = 'x'; drop table KV_VENDA; --' where CNPJ_FORNE "
               "= ENCRIP[1]";
        QTest::newRow("caller's own parameter") << "select * from KV_PESSOA where CNPJ_PESSO = ?";
        QTest::newRow("load_extension") << "select load_extension('x') from KV_PESSOA";
        QTest::newRow("randomblob") << "select randomblob(1000000000) from KV_PESSOA";
        QTest::newRow("marker without end")
            << "select * from KV_PESSOA where CNPJ_PESSO = ENCRIP[123";
        QTest::newRow("cte") << "with x as (select 1) select * from x";
        QTest::newRow("empty") << "   ";
    }
    void refused()
    {
        QFETCH(QString, sql);
        const SqlTranslation t = translateSql(sql);
        QVERIFY2(!t.ok(), qPrintable(t.statement ? t.statement->sql : QString()));
        QVERIFY(!t.error.isEmpty());
    }

    // Values that would break out of a pasted statement arrive as plain values: the
    // statement runs, matches nothing (or stores the text as it came), and the network's
    // tables are intact.
    void injectionThroughValues_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("isQuery");
        QTest::newRow("quote and or")
            << "select CNPJ_PESSO from KV_PESSOA where CNPJ_PESSO = ENCRIP[' or '1'='1]" << true;
        QTest::newRow("second statement in a marker")
            << "select CNPJ_PESSO from KV_PESSOA where CNPJ_PESSO = ENCRIP[1'; delete from "
               "KV_VENDA; --]"
            << true;
        QTest::newRow("union in a marker")
            << "select LOGIN_USUAR from KV_USUARIO where LOGIN_USUAR = ENCRIP[x' union select "
               "SENHA_USUAR from KV_USUARIO --]"
            << true;
        QTest::newRow("update widened by a marker")
            << "update KV_CARTAO set IMPRE_CARTA = 2 where NUMER_CARTA = ENCRIP[0 or 1=1]" << false;
        QTest::newRow("quoted field with doubled quotes")
            << "update KV_FORNECEDOR set ID_ALGOR = 'x'' where 1=1; --' where CNPJ_FORNE = "
               "ENCRIP[nobody]"
            << false;
    }
    void injectionThroughValues()
    {
        QFETCH(QString, sql);
        QFETCH(bool, isQuery);
        zxtest::DemoServer fresh;
        SqlService svc(fresh.store().db());
        // A fingerprint of what an escape would touch.
        auto state = [&] {
            QSqlQuery q(fresh.store().db());
            q.exec(
                "select (select count(*) from KV_VENDA), (select total(IMPRE_CARTA) from "
                "KV_CARTAO), "
                "(select count(ID_ALGOR) from KV_FORNECEDOR), (select count(*) from KV_USUARIO)");
            q.next();
            return QStringList { q.value(0).toString(), q.value(1).toString(),
                q.value(2).toString(), q.value(3).toString() };
        };
        const QStringList before = state();
        if (isQuery) {
            const QString reply = svc.query(sql);
            protocol::TblTemp rows;
            QVERIFY2(protocol::setTblTempXMLSt(reply, rows).has_value(), qPrintable(reply));
            QCOMPARE(rows.size(), 0);
        } else {
            QVERIFY(!svc.exec(sql));
        }
        QCOMPARE(state(), before);
    }

    void replyValues()
    {
        zxtest::DemoServer fresh;
        SqlService svc(fresh.store().db());
        QVERIFY(svc.exec(
            "update KV_PESSOA set FANTA_PESSO = ENCRIP[A & B <C> Ação] where CNPJ_PESSO = ENCRIP["
            + demoFacts().merchantCnpj + "]"));
        const QString reply
            = svc.query("select FANTA_PESSO from KV_PESSOA where CNPJ_PESSO = ENCRIP["
                + demoFacts().merchantCnpj + "]");
        QVERIFY2(reply.contains(QStringLiteral("<FANTA_PESSO>A & B C Ação</FANTA_PESSO>")),
            qPrintable(reply));
    }

    void schemaKindsAgreeEverywhere()
    {
        QHash<QString, ColKind> seen;
        for (const auto &t : ServerSchema::tables())
            for (const auto &c : t.columns) {
                if (seen.contains(c.name))
                    QVERIFY2(seen[c.name] == c.kind, qPrintable(c.name));
                seen.insert(c.name, c.kind);
            }
        // Every table the stations name.
        for (const char *t : { "KV_PESSOA", "KV_FORNECEDOR", "KV_INSTITUICAO", "KV_FUNCIONARIO",
                 "KV_CARTAO", "KV_USUARIO", "KV_VENDA", "KV_FOOD", "KV_ITFOOD", "KV_FORNEFIEL",
                 "KV_DADCOMP", "KV_ASSMENSAL", "KV_NAOBLOQUEAR", "KV_MUNICIPIO", "KV_AJUDACUSTO",
                 "boleto", "rps" })
            QVERIFY2(ServerSchema::table(QLatin1String(t)), t);
    }
};

QTEST_GUILESS_MAIN(TstSql)
#include "tst_sql.moc"
