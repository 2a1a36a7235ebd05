#include "DemoSeed.h"

#include "DocDigits.h"
#include "ServerSchema.h"
#include "SqlTranslator.h"
#include "service/protocol/Packing.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantMap>

namespace zx::server {

namespace {

// Values in clear (amounts "1.234,56", dates "dd/mm/yyyy"); stored through the column kinds.
bool insertRow(QSqlDatabase &db, const QString &table, const QList<QPair<QString, QString>> &values,
    QString *error)
{
    const TableDef *def = ServerSchema::table(table);
    Q_ASSERT(def);
    QStringList cols, marks;
    QVariantList binds;
    for (const auto &[col, value] : values) {
        const ColumnDef *c = def->column(col);
        Q_ASSERT_X(c, "insertRow", qPrintable(table + u'.' + col));
        cols << c->name;
        marks << QStringLiteral("?");
        binds << (value.isNull() ? QVariant() : storedValue(c->kind, value));
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(def->name, cols.join(u','), marks.join(u',')));
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec()) {
        if (error)
            *error = table + QStringLiteral(": ") + q.lastError().text();
        return false;
    }
    return true;
}

QString dmy(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

struct Person {
    QString cnpj, name, trade, street, number, district, phone;
    int municipality;
};

struct Employee {
    QString cpfBase, name, dependant, birth;
    QString card, status, limit, password;
};

const char kPermSale[] = "Hu3wZc5Tn0R=";
const char kPermAdm[] = "Pb6sGy1Vk8J=";

} // namespace

const DemoFacts &demoFacts()
{
    static const DemoFacts f = [] {
        DemoFacts d;
        d.operatorCnpj = cnpjWithDigits(QStringLiteral("112223330001"));
        d.merchantCnpj = cnpjWithDigits(QStringLiteral("453127680001"));
        d.merchantName = QStringLiteral("MERCADO BOA COMPRA LTDA");
        d.merchantTrade = QStringLiteral("MERCADO BOA COMPRA");
        d.merchantAddress = QStringLiteral("RUA DAS FLORES, 120 - CENTRO");
        d.merchantPhone = QStringLiteral("1132104455");
        d.otherMerchantCnpj = cnpjWithDigits(QStringLiteral("834519620001"));
        d.inactiveMerchantCnpj = cnpjWithDigits(QStringLiteral("271546390001"));
        d.payrollCnpj = cnpjWithDigits(QStringLiteral("608154270001"));
        d.blockedInstCnpj = cnpjWithDigits(QStringLiteral("339872150001"));
        d.foodCnpj = cnpjWithDigits(QStringLiteral("524618930001"));
        d.loyaltyCnpj = cnpjWithDigits(QStringLiteral("718265040001"));
        d.card = { QStringLiteral("6070001001"), QStringLiteral("147258") };
        d.cardNoPassword = { QStringLiteral("6070001002"), QString() };
        d.cardLowBalance = { QStringLiteral("6070001003"), QStringLiteral("951357") };
        d.cardTempBlocked = { QStringLiteral("6070001004"), QStringLiteral("369147") };
        d.cardCancelled = { QStringLiteral("6070001005"), QStringLiteral("258147") };
        d.cardBlocked = { QStringLiteral("6070001006"), QStringLiteral("741852") };
        d.cardBlockedInstitution = { QStringLiteral("6070002001"), QStringLiteral("159357") };
        d.cardFood = { QStringLiteral("6070003001"), QStringLiteral("753159") };
        d.cardLoyalty = { QStringLiteral("6070004001"), QStringLiteral("357951") };
        d.merchantUser = QStringLiteral("BOACOMPRA");
        d.merchantUserPassword = QStringLiteral("2468");
        d.institutionUser = QStringLiteral("HORIZONTE");
        d.institutionUserPassword = QStringLiteral("1357");
        d.staffUser = QStringLiteral("SUPORTE");
        d.staffUserPassword = QStringLiteral("4826");
        return d;
    }();
    return f;
}

bool seedDemo(QSqlDatabase db, const QDate &today, QString *error)
{
    const DemoFacts &f = demoFacts();
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    bool ok = true;
    auto ins = [&](const QString &table, const QList<QPair<QString, QString>> &values) {
        if (ok)
            ok = insertRow(db, table, values, error);
    };
    const QString none; // a null value: the column stays empty

    // Municipalities.
    const QList<QStringList> munic
        = { { "1", "SAO PAULO", "SP", "01001000" }, { "2", "CAMPINAS", "SP", "13010000" },
              { "3", "BELO HORIZONTE", "MG", "30110000" }, { "4", "CURITIBA", "PR", "80010000" } };
    for (const auto &m : munic)
        ins("KV_MUNICIPIO",
            { { "CHAVE_MUNIC", m[0] }, { "DESCR_MUNIC", m[1] }, { "ESTAD_MUNIC", m[2] },
                { "CEP_MUNIC", m[3] } });

    // Companies.
    const QList<Person> people = {
        { f.operatorCnpj, "ZENTRIX ADMINISTRACAO LTDA", "ZENTRIX", "AV PAULISTA", "1000",
            "BELA VISTA", "1130001000", 1 },
        { f.merchantCnpj, f.merchantName, f.merchantTrade, "RUA DAS FLORES", "120", "CENTRO",
            f.merchantPhone, 1 },
        { f.otherMerchantCnpj, "DROGARIA VIDA LTDA", "DROGARIA VIDA", "RUA BARAO DE JAGUARA", "455",
            "CENTRO", "1932331200", 2 },
        { f.inactiveMerchantCnpj, "FARMACIA SAO JOSE LTDA", "FARMACIA SAO JOSE", "RUA DA BAHIA",
            "88", "LOURDES", "3132215566", 3 },
        { f.payrollCnpj, "METALURGICA HORIZONTE S/A", "METALURGICA HORIZONTE", "AV DAS INDUSTRIAS",
            "2500", "DISTRITO INDUSTRIAL", "1135557700", 1 },
        { f.blockedInstCnpj, "TRANSPORTES RAPIDO SUL LTDA", "RAPIDO SUL", "RODOVIA DO CAFE", "",
            "CIC", "4133448899", 4 },
        { f.foodCnpj, "CONSTRUTORA PILAR LTDA", "CONSTRUTORA PILAR", "RUA DOS ENGENHEIROS", "77",
            "CAMBUI", "1932540011", 2 },
        { f.loyaltyCnpj, "AUTO POSTO ESTRELA LTDA", "POSTO ESTRELA", "AV BRASIL", "3100",
            "JARDIM AMERICA", "1138889900", 1 },
    };
    for (const auto &p : people)
        ins("KV_PESSOA",
            { { "CNPJ_PESSO", p.cnpj }, { "DESCR_PESSO", p.name }, { "FANTA_PESSO", p.trade },
                { "TIPO_PESSO", "2" }, { "LOGRA_PESSO", p.street }, { "NRRES_PESSO", p.number },
                { "BAIRR_PESSO", p.district }, { "CHAVE_MUNIC", QString::number(p.municipality) },
                { "EMAIL_PESSO", "contato@" + p.trade.section(u' ', -1).toLower() + ".com.br" },
                { "TELEF_PESSO", p.phone }, { "FAX_PESSO", p.phone.left(6) + "0000" },
                { "CELUL_PESSO", p.phone.left(2) + "9" + p.phone.mid(2) },
                { "CNPJ_RESPO", p.cnpj } });

    // Merchants: CNPJ, situation, segment, maximum instalments.
    const QList<QStringList> merchants
        = { { f.merchantCnpj, "1", "1", QString::number(f.merchantMaxInstallments) },
              { f.otherMerchantCnpj, "1", "2", "1" }, { f.inactiveMerchantCnpj, "2", "2", "1" },
              { f.loyaltyCnpj, "1", "0", "1" } };
    for (const auto &m : merchants)
        ins("KV_FORNECEDOR",
            { { "CNPJ_FORNE", m[0] }, { "PERCE_FORNE", "4" }, { "SITUA_FORNE", m[1] },
                { "EXIBE_FORNE", "1" }, { "SEGME_FORNE", m[2] }, { "MXPAR_FORNE", m[3] },
                { "FECHA_QUINZ", "1" }, { "FECHA_ZENTX", "1" }, { "VALOR_MENSA", "0,00" },
                { "BANCO_FORNE", "001" }, { "AGENC_FORNE", "3064" }, { "CONTA_FORNE", "45871" },
                { "ID_ALGOR", none } });
    ins("KV_FORNEFIEL",
        { { "CNPJ_FIEL", f.loyaltyCnpj }, { "CREDI_FIEL", "1" }, { "DESCO_FIEL", "5" } });

    // Institutions: CNPJ, situation, type, closing day, maximum limit, contract.
    const QList<QStringList> insts
        = { { f.payrollCnpj, "1", "2", "25", "3.000,00", "CT-2021-0042" },
              { f.merchantCnpj, "1", "2", "30", "800,00", "CT-2022-0077" },
              { f.blockedInstCnpj, "2", "2", "20", "1.500,00", "CT-2019-0007" },
              { f.foodCnpj, "1", "3", "10", "1.000,00", "CT-2022-0108" },
              { f.loyaltyCnpj, "1", "4", "5", "200,00", "CT-2020-0015" } };
    for (const auto &i : insts)
        ins("KV_INSTITUICAO",
            { { "CNPJ_INSTI", i[0] }, { "TODOS_FORNE", "1" }, { "SITUA_INSTI", i[1] },
                { "DIA_FECHA", i[3] }, { "TIPO_INSTI", i[2] }, { "DIA_PAGA", "10" },
                { "TXPRO_INSTI", "1" }, { "VERIF_SEGME", "2" }, { "LIMIT_LIMIT", i[4] },
                { "AJCUS_INSTI", "2" }, { "ACERT_INSTI", dmy(today.addYears(-2)) },
                { "BLOQU_PARCE", "2" }, { "NUMER_CONTRA", i[5] }, { "LAYOU_INSTI", "" } });

    // Employees and their cards: institution, list.
    auto addEmployees = [&](const QString &inst, const QString &cardType,
                            const QList<Employee> &list) {
        int n = 0;
        for (const auto &e : list) {
            ++n;
            const QString cpf = cpfWithDigits(e.cpfBase);
            ins("KV_FUNCIONARIO",
                { { "CNPJ_INSTI", inst }, { "CPF_FUNCI", cpf },
                    { "MATRI_FUNCI", QString::number(n).rightJustified(4, u'0') },
                    { "DESCR_FUNCI", e.name }, { "DEPEN_FUNCI", e.dependant },
                    { "CELUL_FUNCI", "119" + cpf.mid(1, 8) }, { "NASCI_FUNCI", e.birth },
                    { "LIMIT_PADRA", e.limit }, { "SITUA_FUNCI", "1" },
                    { "SENHA_FUNCI",
                        e.password.isEmpty() ? none : protocol::getMD5(e.password) } });
            ins("KV_CARTAO",
                { { "NUMER_CARTA", e.card }, { "CNPJ_INSTI", inst }, { "CPF_FUNCI", cpf },
                    { "TIPO_CARTA", cardType }, { "SITUA_CARTA", e.status },
                    { "LIMIT_CARTA", e.limit }, { "ACUMU_CARTA", "0,00" }, { "IMPRE_CARTA", "1" },
                    { "EMISS_CARTA", dmy(today.addYears(-1).addDays(-n * 7)) } });
        }
    };
    addEmployees(f.payrollCnpj, "1",
        { { "318554217", "ANA PAULA FERREIRA", "", "12/03/1985", f.card.number, "1", "1.500,00",
              f.card.password },
            { "402331906", "BRUNO ALVES COSTA", "LUCIA ALVES COSTA", "27/08/1979",
                f.cardNoPassword.number, "1", "800,00", "" },
            { "517208443", "CARLA MENDES SOUZA", "", "05/11/1990", f.cardLowBalance.number, "1",
                "300,00", f.cardLowBalance.password },
            { "623914058", "DANIEL ROCHA LIMA", "", "19/01/1982", f.cardTempBlocked.number, "0",
                "1.000,00", f.cardTempBlocked.password },
            { "734102695", "EDUARDO PINTO NUNES", "", "30/06/1975", f.cardCancelled.number, "2",
                "700,00", f.cardCancelled.password },
            { "845670312", "FERNANDA LOPES REIS", "", "14/09/1988", f.cardBlocked.number, "3",
                "900,00", f.cardBlocked.password },
            { "956281437", "GUSTAVO MARTINS DIAS", "PEDRO MARTINS DIAS", "02/02/1983", "6070001007",
                "1", "2.000,00", "802468" },
            { "167392548", "HELENA CARDOSO VIEIRA", "", "21/07/1992", "6070001008", "1", "1.000,00",
                "314159" },
            { "278403659", "IGOR BARBOSA TEIXEIRA", "", "09/12/1987", "6070001009", "1", "1.200,00",
                "602814" },
            { "389514760", "JULIANA MOREIRA CAMPOS", "", "16/04/1994", "6070001010", "1", "600,00",
                "520741" },
            { "490625871", "LUCAS RIBEIRO MONTEIRO", "", "08/10/1980", "6070001011", "1", "900,00",
                "830592" },
            { "501736982", "MARIANA GOMES ARAUJO", "TIAGO GOMES ARAUJO", "25/05/1986", "6070001012",
                "1", "1.100,00", "419630" } });
    // The supermarket's own staff buy with its card too.
    addEmployees(f.merchantCnpj, "1",
        { { "123456789", "ROBERTO CAIXA SANTANA", "", "18/02/1990", "6070005001", "1", "600,00",
              "285714" },
            { "234567891", "SILVIA REPOSITORA LEAL", "", "23/10/1993", "6070005002", "1", "600,00",
                "" } });
    addEmployees(f.blockedInstCnpj, "1",
        { { "612847093", "OTAVIO SILVA PRADO", "", "11/11/1977", f.cardBlockedInstitution.number,
            "1", "1.000,00", f.cardBlockedInstitution.password } });
    const QList<Employee> foodEmployees = { { "723958104", "PAULO HENRIQUE SANTOS", "",
                                                "03/03/1984", f.cardFood.number, "1", "450,00",
                                                f.cardFood.password },
        { "834069215", "RENATA OLIVEIRA CRUZ", "", "17/07/1991", "6070003002", "1", "450,00",
            "864209" },
        { "945170326", "SERGIO AUGUSTO NEVES", "", "29/09/1973", "6070003003", "1", "450,00",
            "975310" },
        { "156281437", "TATIANE COSTA MELO", "", "06/06/1995", "6070003004", "1", "450,00", "" } };
    addEmployees(f.foodCnpj, "1", foodEmployees);
    const QList<Employee> loyalty = { { "267392548", "VALTER DIAS FONSECA", "", "13/01/1970",
                                          f.cardLoyalty.number, "1", "200,00",
                                          f.cardLoyalty.password },
        { "378403659", "WANDA PEREIRA LUZ", "", "24/02/1989", "6070004002", "1", "150,00", "" },
        { "489514760", "YURI CASTRO BRANDAO", "", "07/08/1996", "6070004003", "3", "100,00",
            "206284" } };
    addEmployees(f.loyaltyCnpj, "3", loyalty);
    int n = 0;
    for (const auto &e : loyalty) {
        ++n;
        const QString cpf = cpfWithDigits(e.cpfBase);
        ins("KV_DADCOMP",
            { { "CNPJ_COMPL", f.loyaltyCnpj }, { "CPF_COMPL", cpf },
                { "APELI_COMPL", e.name.section(u' ', 0, 0) },
                { "IDENT_COMPL", "MG" + e.cpfBase.left(7) },
                { "RENDA_COMPL", QString::number(1500 + n * 500) + ",00" },
                { "ENDER_LOGRA", "RUA DAS PALMEIRAS" }, { "ENDER_NUMER", QString::number(10 * n) },
                { "ENDER_BAIRR", "JARDIM AMERICA" }, { "ENDER_CIDAD", "SAO PAULO" },
                { "ENDER_ESTAD", "SP" }, { "ENDER_CEP", "01431000" },
                { "FONE1_COMPL", "113888" + QString::number(1000 + n) }, { "FONE2_COMPL", "" },
                { "EMAIL_TITUL", e.name.section(u' ', 0, 0).toLower() + "@email.com.br" },
                { "DESCR_CONJU", "" }, { "CPF_CONJU", "" }, { "IDENT_CONJU", "" },
                { "DTNAS_CONJU", none }, { "EMPRE_COMPL", "AUTONOMO" }, { "ADMIS_COMPL", none },
                { "CARGO_COMPL", "" }, { "FONE1_EMPRE", "" }, { "FONE2_EMPRE", "" },
                { "FAX_EMPRE", "" }, { "REF1_COMPL", "" }, { "REF2_COMPL", "" },
                { "REF3_COMPL", "" }, { "FONE1_REFER", "" }, { "FONE2_REFER", "" },
                { "FONE3_REFER", "" }, { "DIAVC_COMPL", "10" },
                { "CPFID_COMPL", n == 1 ? QString() : cpfWithDigits(loyalty.first().cpfBase) },
                { "CREID_COMPL", "1" }, { "CNPJ3_REFER", "17/05/2009" } });
    }
    ins("KV_ASSMENSAL",
        { { "CNPJ_FORNE", f.loyaltyCnpj }, { "CPF_FUNCI", cpfWithDigits(loyalty.first().cpfBase) },
            { "CNPJ_INSTI", f.loyaltyCnpj }, { "SITUA_MENSA", "1" } });

    // Allowances and a grace period before automatic blocking.
    ins("KV_AJUDACUSTO",
        { { "CPF_AJUDA", cpfWithDigits("318554217") }, { "CNPJ_INSTI", f.payrollCnpj },
            { "VALOR_AJUDA", "150,00" } });
    ins("KV_AJUDACUSTO",
        { { "CPF_AJUDA", cpfWithDigits("956281437") }, { "CNPJ_INSTI", f.payrollCnpj },
            { "VALOR_AJUDA", "200,00" } });
    ins("KV_NAOBLOQUEAR",
        { { "CPF_FUNCI", cpfWithDigits("623914058") }, { "CNPJ_INSTI", f.payrollCnpj },
            { "DATA_INCLU", dmy(today.addDays(30)) } });

    // Web users (passwords kept as MD5 digests).
    const QList<QStringList> users
        = { { f.merchantUser, f.merchantCnpj, "OPERADOR BOA COMPRA", f.merchantUserPassword },
              { f.institutionUser, f.payrollCnpj, "RH HORIZONTE", f.institutionUserPassword },
              { "PILAR", f.foodCnpj, "RH PILAR", "8642" },
              { "ESTRELA", f.loyaltyCnpj, "GERENTE POSTO ESTRELA", "9753" },
              { f.staffUser, f.operatorCnpj, "SUPORTE ZENTRIX", f.staffUserPassword } };
    for (const auto &u : users)
        ins("KV_USUARIO",
            { { "LOGIN_USUAR", u[0] }, { "EMPRE_USUAR", u[1] }, { "DESCR_USUAR", u[2] },
                { "SENHA_USUAR", protocol::getMD5(u[3]) }, { "VENDA_USUAR", kPermSale },
                { "FUNCI_USUAR", kPermSale }, { "MYADM_USUAR", kPermAdm } });

    // Past sales of the demo merchant: card, days ago, amount, instalments, situation.
    struct Sale {
        QString card;
        int daysAgo;
        QString amount;
        int parcels;
        QString situation;
    };
    const QList<Sale> sales = { { f.card.number, 5, "84,90", 1, "A" },
        { f.card.number, 3, "215,40", 2, "A" }, { f.cardLowBalance.number, 4, "290,00", 1, "A" },
        { "6070001007", 2, "1.020,00", 3, "A" }, { "6070001008", 1, "57,35", 1, "C" },
        { "6070001008", 1, "57,53", 1, "A" } };
    QHash<QString, qint64> used;
    int seq = 1000;
    for (const auto &s : sales) {
        QSqlQuery q(db);
        q.prepare(
            QStringLiteral("SELECT CNPJ_INSTI, CPF_FUNCI FROM KV_CARTAO WHERE NUMER_CARTA = ?"));
        q.addBindValue(s.card);
        if (!ok || !q.exec() || !q.next()) {
            ok = false;
            break;
        }
        const QDate d = today.addDays(-s.daysAgo);
        ins("KV_VENDA",
            { { "AUTOR_VENDA", QString::number(++seq).rightJustified(12, u'0') },
                { "FORNE_VENDA", f.merchantCnpj }, { "CARTA_VENDA", s.card },
                { "CNPJ_INSTI", q.value(0).toString() }, { "CPF_FUNCI", q.value(1).toString() },
                { "DATA_VENDA", dmy(d) }, { "VENCI_VENDA", dmy(d) },
                { "HORA_VENDA",
                    QStringLiteral("1%1:2%2:0%3").arg(seq % 9).arg(seq % 6).arg(seq % 10) },
                { "VALOR_VENDA", s.amount }, { "PARCE_VENDA", QString::number(s.parcels) },
                { "SITUA_VENDA", s.situation }, { "COMD5_VENDA", "1" }, { "FUNCI_VENDA", "0" },
                { "TIPO_VENDA", "0" }, { "DTEST_VENDA", dmy(d) },
                { "USCAN_VENDA", s.situation == "C" ? f.merchantUser : none },
                { "DTCAN_VENDA", s.situation == "C" ? dmy(d) + " 18:00:00" : none } });
        if (s.situation == "A")
            used[s.card] += storedValue(ColKind::Money, s.amount).toLongLong();
    }
    for (auto it = used.cbegin(); ok && it != used.cend(); ++it) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("UPDATE KV_CARTAO SET ACUMU_CARTA = ? WHERE NUMER_CARTA = ?"));
        q.addBindValue(it.value());
        q.addBindValue(it.key());
        ok = q.exec();
    }

    // Food-card invoices with their slips (bank 001, 7-digit agreement), and one for the
    // loyalty institution (type 4 releases credits itself, without a slip).
    const QString agreement = QStringLiteral("2871465");
    const QDate prevMonth = QDate(today.year(), today.month(), 1).addMonths(-1);
    const QDate thisMonth = QDate(today.year(), today.month(), 1);
    struct Invoice {
        int key;
        QDate issued;
        QString situation;
        bool paid;
    };
    const QList<Invoice> invoices
        = { { 1, prevMonth.addDays(2), "B", true }, { 2, thisMonth.addDays(1), "A", false } };
    for (const auto &inv : invoices) {
        const QString nosso = agreement + QString::number(inv.key).rightJustified(10, u'0');
        const QString total = QString::number(150 * foodEmployees.size() + 25 * inv.key) + ",00";
        ins("KV_FOOD",
            { { "CHAVE_FOOD", QString::number(inv.key) }, { "CNPJ_FOOD", f.foodCnpj },
                { "DTHOR_FOOD", dmy(inv.issued) + " 09:30:00" }, { "SITUA_FOOD", inv.situation },
                { "NOSNR_FOOD", nosso }, { "BANCO_FOOD", "001" }, { "FORCA_FOOD", "2" } });
        int i = 0;
        for (const auto &e : foodEmployees)
            ins("KV_ITFOOD",
                { { "CHAVE_FOOD", QString::number(inv.key) },
                    { "CPF_ITFOOD", cpfWithDigits(e.cpfBase) },
                    { "VALOR_ITFOO",
                        QString::number(150 + (i++ == 0 ? 25 * inv.key : 0)) + ",00" } });
        ins("boleto",
            { { "BANCO_BOLET", "001" }, { "NOSNR_BOLET", nosso }, { "AGENC_BOLET", "3064" },
                { "CONTA_BOLET", "45871" }, { "CONVE_BOLET", agreement },
                { "CNPJ_BOLET", f.foodCnpj }, { "CNPJE_BOLET", f.foodCnpj },
                { "SEUNR_BOLET", QString::number(inv.key).rightJustified(6, u'0') },
                { "VENCI_BOLET", dmy(inv.issued.addDays(10)) }, { "DTEMI_BOLET", dmy(inv.issued) },
                { "VALOR_BOLET", total },
                { "DTPGT_BOLET", inv.paid ? dmy(inv.issued.addDays(8)) : none },
                { "VLRPG_BOLET", inv.paid ? total : "0,00" }, { "OBSBX_BOLET", "" },
                { "GRUPO_BOLET", "1" }, { "REMES_ENVIA", "1" } });
    }
    ins("KV_FOOD",
        { { "CHAVE_FOOD", "3" }, { "CNPJ_FOOD", f.loyaltyCnpj },
            { "DTHOR_FOOD", dmy(thisMonth) + " 10:00:00" }, { "SITUA_FOOD", "A" },
            { "NOSNR_FOOD", none }, { "BANCO_FOOD", none }, { "FORCA_FOOD", "2" } });
    for (const auto &e : loyalty.mid(0, 2))
        ins("KV_ITFOOD",
            { { "CHAVE_FOOD", "3" }, { "CPF_ITFOOD", cpfWithDigits(e.cpfBase) },
                { "VALOR_ITFOO", "50,00" } });

    // Service invoices (RPS) of the network's issuing company: two pending, one issued.
    const QList<QStringList> rps = { { "1", dmy(prevMonth.addDays(4)), f.foodCnpj, "0", "89,90" },
        { "2", dmy(prevMonth.addDays(4)), f.payrollCnpj, "0", "129,90" },
        { "3", dmy(prevMonth.addDays(-27)), f.payrollCnpj, "15", "129,90" } };
    for (const auto &r : rps)
        ins("rps",
            { { "CHAVE_RPS", r[0] }, { "DATA_RPS", r[1] }, { "CNPJ_TOMAD", r[2] },
                { "INSCR_MUNIC", "004728" }, { "NOTA_RPS", r[3] }, { "VALOR_RPS", r[4] },
                { "SITUA_RPS", "1" } });

    if (!ok) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace zx::server
