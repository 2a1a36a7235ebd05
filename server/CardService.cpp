#include "CardService.h"

#include "DocDigits.h"
#include "ReplyText.h"
#include "SqlTranslator.h"
#include "common/core/Money.h"
#include "service/protocol/Packing.h"

#include <QSqlError>
#include <QSqlQuery>

namespace zx::server {

namespace {

QString field(const protocol::TRegist &r, const char *name)
{
    return protocol::vlrRegByName(r, QLatin1String(name)).trimmed();
}

QString money(qint64 cents)
{
    return Money::fromCents(cents).format(2, true);
}

struct Merchant {
    bool found = false;
    QString situation, segment, municipality;
    int maxParcels = 1;
};

Merchant loadMerchant(QSqlDatabase &db, const QString &cnpj)
{
    Merchant m;
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "SELECT F.SITUA_FORNE, F.SEGME_FORNE, F.MXPAR_FORNE, P.CHAVE_MUNIC FROM KV_FORNECEDOR F "
        "LEFT JOIN KV_PESSOA P ON P.CNPJ_PESSO = F.CNPJ_FORNE WHERE F.CNPJ_FORNE = ?"));
    q.addBindValue(cnpj);
    if (q.exec() && q.next()) {
        m.found = true;
        m.situation = q.value(0).toString().trimmed();
        m.segment = q.value(1).toString().trimmed();
        m.maxParcels = qMax(1, q.value(2).toInt());
        m.municipality = q.value(3).toString();
    }
    return m;
}

struct Card {
    bool found = false;
    QString situation, institution, cpf, holder, dependant, registration, password, instSituation,
        instName;
    qint64 limit = 0, used = 0;
};

Card loadCard(QSqlDatabase &db, const QString &number)
{
    Card c;
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "SELECT C.SITUA_CARTA, C.LIMIT_CARTA, C.ACUMU_CARTA, C.CNPJ_INSTI, C.CPF_FUNCI, "
        "F.DESCR_FUNCI, "
        "F.DEPEN_FUNCI, F.MATRI_FUNCI, F.SENHA_FUNCI, I.SITUA_INSTI, P.DESCR_PESSO FROM KV_CARTAO "
        "C "
        "LEFT JOIN KV_FUNCIONARIO F ON F.CNPJ_INSTI = C.CNPJ_INSTI AND F.CPF_FUNCI = C.CPF_FUNCI "
        "LEFT JOIN KV_INSTITUICAO I ON I.CNPJ_INSTI = C.CNPJ_INSTI "
        "LEFT JOIN KV_PESSOA P ON P.CNPJ_PESSO = C.CNPJ_INSTI WHERE C.NUMER_CARTA = ?"));
    q.addBindValue(number);
    if (q.exec() && q.next()) {
        c.found = true;
        c.situation = q.value(0).toString().trimmed();
        c.limit = q.value(1).toLongLong();
        c.used = q.value(2).toLongLong();
        c.institution = q.value(3).toString();
        c.cpf = q.value(4).toString();
        c.holder = q.value(5).toString();
        c.dependant = q.value(6).toString();
        c.registration = q.value(7).toString();
        c.password = q.value(8).toString().trimmed();
        c.instSituation = q.value(9).toString().trimmed();
        c.instName = q.value(10).toString();
    }
    return c;
}

QString cardStatusRefusal(const QString &situation)
{
    if (situation == u"0")
        return QStringLiteral("CARTAO BLOQUEADO TEMPORARIAMENTE");
    if (situation == u"2")
        return QStringLiteral("CARTAO CANCELADO");
    if (situation == u"3")
        return QStringLiteral("CARTAO BLOQUEADO");
    return QStringLiteral("CARTAO INATIVO");
}

// Empty when the password is accepted; the refusal otherwise. `checked` tells whether
// a password was verified (the sale is then "with password").
QString passwordRefusal(const Card &c, const QString &sent, bool promptless, bool *checked)
{
    *checked = false;
    if (c.password.isEmpty())
        return sent.isEmpty()
            ? QString()
            : QStringLiteral("CARTAO SEM SENHA CADASTRADA: CONFIRME SEM DIGITAR A SENHA");
    if (sent.isEmpty())
        return promptless ? QString() : QStringLiteral("SENHA OBRIGATORIA PARA ESTE CARTAO");
    if (protocol::getMD5(sent).compare(c.password, Qt::CaseInsensitive) != 0)
        return QStringLiteral("SENHA INVALIDA");
    *checked = true;
    return {};
}

bool exec(QSqlQuery &q)
{
    if (!q.exec()) {
        qWarning("zentrix-server: %s", qPrintable(q.lastError().text()));
        return false;
    }
    return true;
}

class WriteTransaction {
public:
    explicit WriteTransaction(QSqlDatabase &db)
        : m_db(db)
    {
        QSqlQuery q(m_db);
        m_open = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~WriteTransaction()
    {
        if (m_open)
            QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    }
    bool ok() const { return m_open; }
    bool commit()
    {
        QSqlQuery q(m_db);
        const bool done = q.exec(QStringLiteral("COMMIT"));
        m_open = !done;
        return done;
    }

private:
    QSqlDatabase &m_db;
    bool m_open = false;
};

} // namespace

QString paddedDigits(const QString &text, int width)
{
    const QString d = digitsOf(text);
    return d.isEmpty() ? d : d.rightJustified(width, u'0');
}

QString CardService::authorize(const protocol::TRegist &req, bool loyaltyService)
{
    const QDateTime now = m_clock();
    const QString card = paddedDigits(field(req, "NUMER_CARTA"), 10);
    const QString merchantCnpj = digitsOf(field(req, "CNPJ_FORNE"));
    const QString amountText = field(req, "VALOR_VENDA");
    const QString parcelText = field(req, "PARCE_VENDA");
    const QString password = protocol::vlrRegByName(req, QStringLiteral("SEMD5_FUNCI")).trimmed();
    const QString saleType = loyaltyService && !field(req, "TIPO_VENDA").isEmpty()
        ? field(req, "TIPO_VENDA")
        : QStringLiteral("0");
    const QString stationDate = field(req, "DATA_VENDA");

    auto reply = [&](const QString &message, const QString &auth, const Card &c, qint64 cents,
                     int parcels, const QString &withPassword, const QDate &date,
                     const QString &time) {
        const QString d = date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        return recordReply({ { "MENSA_RETOR", message }, { "AUTOR_VENDA", auth },
            { "CARTA_VENDA", card }, { "VALOR_VENDA", cents >= 0 ? money(cents) : amountText },
            { "FUNCI_VENDA", saleType },
            { "SITUA_VENDA", auth == u"0" ? QStringLiteral("R") : QStringLiteral("A") },
            { "COMD5_SALDO", withPassword }, { "DATA_VENDA", d }, { "VENCI_VENDA", d },
            { "HORA_VENDA", time }, { "MATRI_FUNCI", c.registration },
            { "CNPJ_INSTI", c.institution },
            { "PARCE_VENDA", parcels > 0 ? QString::number(parcels) : parcelText },
            { "DESCR_FUNCI", c.holder }, { "DEPEN_FUNCI", c.dependant },
            { "DESCR_INSTI", c.instName } });
    };
    auto refuse = [&](const QString &code, const QString &message, const Card &c = Card()) {
        return reply(code + message, QStringLiteral("0"), c, -1, 0, QString(), QDate(), QString());
    };

    if (card.isEmpty())
        return refuse(QStringLiteral("ID002"), QStringLiteral("CARTAO INVALIDO"));
    WriteTransaction tx(m_db);
    if (!tx.ok())
        return refuse(QStringLiteral("ID010"), QStringLiteral("SERVIDOR OCUPADO. TENTE NOVAMENTE"));
    const Merchant m = loadMerchant(m_db, merchantCnpj);
    if (!m.found)
        return refuse(QStringLiteral("ID003"), QStringLiteral("ESTABELECIMENTO NAO CREDENCIADO"));
    if (m.situation != u"1")
        return refuse(QStringLiteral("ID003"), QStringLiteral("ESTABELECIMENTO INATIVO"));
    const Card c = loadCard(m_db, card);
    if (!c.found)
        return refuse(QStringLiteral("ID002"), QStringLiteral("CARTAO INEXISTENTE"));
    if (c.situation != u"1")
        return refuse(QStringLiteral("ID004"), cardStatusRefusal(c.situation));
    if (c.instSituation != u"1")
        return refuse(QStringLiteral("ID005"), QStringLiteral("EMPRESA CONVENIADA BLOQUEADA"));
    const auto amount = Money::parse(amountText);
    if (!amount || amount->cents() <= 0)
        return refuse(QStringLiteral("ID006"), QStringLiteral("VALOR INVALIDO"), c);
    const qint64 cents = amount->cents();
    bool parcelsOk = true;
    const int parcels = parcelText.isEmpty() ? 1 : parcelText.toInt(&parcelsOk);
    if (!parcelsOk || parcels < 1 || parcels > m.maxParcels)
        return refuse(QStringLiteral("ID007"),
            QStringLiteral("QUANTIDADE DE PARCELAS NAO PERMITIDA (MAXIMO %1)").arg(m.maxParcels),
            c);
    const bool promptless = m.segment == u"10" || m.segment == u"11" || m.segment == u"12";
    bool checked = false;
    const QString pwd = passwordRefusal(c, password, promptless, &checked);
    if (!pwd.isEmpty())
        return refuse(QStringLiteral("ID008"), pwd, c);

    const QDate today = now.date();
    const QString todayIso = today.toString(QStringLiteral("yyyy-MM-dd"));
    {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral(
            "SELECT AUTOR_VENDA, PARCE_VENDA, COMD5_VENDA, HORA_VENDA FROM KV_VENDA "
            "WHERE FORNE_VENDA = ? AND CARTA_VENDA = ? AND DATA_VENDA = ? AND VALOR_VENDA = ? "
            "AND SITUA_VENDA = 'A' ORDER BY AUTOR_VENDA LIMIT 1"));
        q.addBindValue(merchantCnpj);
        q.addBindValue(card);
        q.addBindValue(todayIso);
        q.addBindValue(cents);
        if (!exec(q))
            return refuse(
                QStringLiteral("ID010"), QStringLiteral("ERRO NO SERVIDOR. TENTE NOVAMENTE"), c);
        if (q.next())
            return reply(QStringLiteral("ID001VENDA EM DUPLICIDADE: JA EXISTE AUTORIZACAO DESTE "
                                        "VALOR PARA O CARTAO HOJE"),
                q.value(0).toString(), c, cents, q.value(1).toInt(), q.value(2).toString(), today,
                q.value(3).toString());
    }
    if (c.limit - c.used < cents)
        return refuse(QStringLiteral("ID009"), QStringLiteral("SALDO INSUFICIENTE"), c);

    QString number;
    {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("SELECT max(AUTOR_VENDA) FROM KV_VENDA")))
            return refuse(
                QStringLiteral("ID010"), QStringLiteral("ERRO NO SERVIDOR. TENTE NOVAMENTE"), c);
        const qint64 last = q.next() ? q.value(0).toString().toLongLong() : 0;
        number = QString::number(qMax<qint64>(last, 1000) + 1).rightJustified(12, u'0');
    }
    const QString time = now.time().toString(QStringLiteral("HH:mm:ss"));
    const QString withPassword = checked ? QStringLiteral("1") : QStringLiteral("2");
    QSqlQuery ins(m_db);
    ins.prepare(
        QStringLiteral("INSERT INTO KV_VENDA (AUTOR_VENDA, FORNE_VENDA, CARTA_VENDA, CNPJ_INSTI, "
                       "CPF_FUNCI, DATA_VENDA, "
                       "VENCI_VENDA, HORA_VENDA, VALOR_VENDA, PARCE_VENDA, SITUA_VENDA, "
                       "COMD5_VENDA, FUNCI_VENDA, TIPO_VENDA, "
                       "DTEST_VENDA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'A', ?, ?, ?, ?)"));
    for (const QVariant &v : QVariantList { number, merchantCnpj, card, c.institution, c.cpf,
             todayIso, todayIso, time, cents, parcels, withPassword, saleType, saleType,
             storedValue(ColKind::Date, stationDate) })
        ins.addBindValue(v);
    QSqlQuery upd(m_db);
    upd.prepare(QStringLiteral(
        "UPDATE KV_CARTAO SET ACUMU_CARTA = coalesce(ACUMU_CARTA, 0) + ? WHERE NUMER_CARTA = ?"));
    upd.addBindValue(cents);
    upd.addBindValue(card);
    if (!exec(ins) || !exec(upd) || !tx.commit())
        return refuse(
            QStringLiteral("ID010"), QStringLiteral("ERRO NO SERVIDOR. TENTE NOVAMENTE"), c);
    return reply(QStringLiteral("ID000AUTORIZACAO CONCEDIDA"), number, c, cents, parcels,
        withPassword, today, time);
}

QString CardService::reverse(const protocol::TRegist &req)
{
    const QString merchantCnpj = digitsOf(field(req, "CNPJ_FORNE"));
    const QString user = field(req, "USER_CANCE").isEmpty() ? QStringLiteral("TQBSYSTEM")
                                                            : field(req, "USER_CANCE");
    const QString authText = field(req, "AUTOR_VENDA");
    auto answer = [](const QString &message, const QString &auth = QString()) {
        return recordReply({ { "MENSA_RETOR", message }, { "AUTOR_VENDA", auth } });
    };
    WriteTransaction tx(m_db);
    if (!tx.ok())
        return answer(QStringLiteral("SERVIDOR OCUPADO. NENHUMA AUTORIZACAO FOI EXTORNADA"));

    QSqlQuery find(m_db);
    if (!authText.isEmpty()) {
        const QString number = paddedDigits(authText, 12);
        find.prepare(QStringLiteral(
            "SELECT AUTOR_VENDA, SITUA_VENDA, CARTA_VENDA, VALOR_VENDA FROM KV_VENDA "
            "WHERE AUTOR_VENDA = ? AND FORNE_VENDA = ?"));
        find.addBindValue(number);
        find.addBindValue(merchantCnpj);
    } else {
        // A sale whose answer never reached the station: it is found only by what the
        // station kept of it, and only while it is still active.
        const QString card = paddedDigits(field(req, "CARTA_VENDA"), 10);
        const auto amount = Money::parse(field(req, "VALOR_VENDA"));
        const QVariant date = storedValue(ColKind::Date, field(req, "DATA_VENDA"));
        if (card.isEmpty() || !amount || field(req, "DATA_VENDA").isEmpty())
            return answer(
                QStringLiteral("NENHUMA AUTORIZACAO FOI EXTORNADA: DADOS DA VENDA NAO INFORMADOS"));
        find.prepare(QStringLiteral(
            "SELECT AUTOR_VENDA, SITUA_VENDA, CARTA_VENDA, VALOR_VENDA FROM KV_VENDA "
            "WHERE FORNE_VENDA = ? AND CARTA_VENDA = ? AND VALOR_VENDA = ? AND DTEST_VENDA = ? "
            "AND SITUA_VENDA = 'A' ORDER BY AUTOR_VENDA DESC LIMIT 1"));
        find.addBindValue(merchantCnpj);
        find.addBindValue(card);
        find.addBindValue(qint64(amount->cents()));
        find.addBindValue(date);
    }
    if (!exec(find))
        return answer(QStringLiteral("ERRO NO SERVIDOR. NENHUMA AUTORIZACAO FOI EXTORNADA"));
    if (!find.next())
        return answer(authText.isEmpty()
                ? QStringLiteral("NENHUMA AUTORIZACAO FOI EXTORNADA: VENDA NAO LOCALIZADA")
                : QStringLiteral("AUTORIZACAO INEXISTENTE PARA ESTE ESTABELECIMENTO"));
    const QString number = find.value(0).toString();
    if (find.value(1).toString() != u"A")
        return answer(
            QStringLiteral("AUTORIZACAO %1 JA FOI EXTORNADA ANTERIORMENTE").arg(number), number);
    const QString card = find.value(2).toString();
    const qint64 cents = find.value(3).toLongLong();

    QSqlQuery cancel(m_db);
    cancel.prepare(
        QStringLiteral("UPDATE KV_VENDA SET SITUA_VENDA = 'C', USCAN_VENDA = ?, DTCAN_VENDA = ? "
                       "WHERE AUTOR_VENDA = ?"));
    cancel.addBindValue(user);
    cancel.addBindValue(m_clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    cancel.addBindValue(number);
    QSqlQuery back(m_db);
    back.prepare(
        QStringLiteral("UPDATE KV_CARTAO SET ACUMU_CARTA = max(0, coalesce(ACUMU_CARTA, 0) - ?) "
                       "WHERE NUMER_CARTA = ?"));
    back.addBindValue(cents);
    back.addBindValue(card);
    if (!exec(cancel) || !exec(back) || !tx.commit())
        return answer(QStringLiteral("ERRO NO SERVIDOR. NENHUMA AUTORIZACAO FOI EXTORNADA"));
    return answer(QStringLiteral("AUTORIZACAO %1 EXTORNADA COM SUCESSO").arg(number), number);
}

QString CardService::balance(const protocol::TRegist &req)
{
    const QString card = paddedDigits(field(req, "NUMER_CARTA"), 10);
    const QString merchantCnpj = digitsOf(field(req, "CNPJ_FORNE"));
    const QString password = protocol::vlrRegByName(req, QStringLiteral("SEMD5_FUNCI")).trimmed();
    const Merchant m = loadMerchant(m_db, merchantCnpj);
    const Card c = card.isEmpty() ? Card() : loadCard(m_db, card);

    auto reply = [&](const QString &situation, const QString &limit, const QString &used,
                     const QString &message, bool withHolder) {
        return recordReply({ { "SITUA_CARTA", situation }, { "LIMIT_FUNCI", limit },
            { "ACUMU_FUNCI", used }, { "DESCR_FUNCI", withHolder ? c.holder : QString() },
            { "DEPEN_FUNCI", withHolder ? c.dependant : QString() },
            { "DESCR_INSTI", withHolder ? c.instName : QString() }, { "MENSA_RETOR", message },
            { "SEGME_FORNE", m.found ? m.segment : QString() },
            { "PARCE_FORNE", m.found ? QString::number(m.maxParcels) : QString() },
            { "MUNIC_FORNE", m.found ? m.municipality : QString() } });
    };
    auto refuse = [&](const QString &situation, const QString &message) {
        return reply(situation, message, QString(), message, false);
    };
    if (!m.found)
        return refuse(QString(), QStringLiteral("ESTABELECIMENTO NAO CREDENCIADO"));
    if (m.situation != u"1")
        return refuse(QString(), QStringLiteral("ESTABELECIMENTO INATIVO"));
    if (!c.found)
        return refuse(QString(), QStringLiteral("CARTAO INEXISTENTE"));
    if (c.situation != u"1")
        return refuse(c.situation, cardStatusRefusal(c.situation));
    if (c.instSituation != u"1")
        return refuse(QString(), QStringLiteral("EMPRESA CONVENIADA BLOQUEADA"));
    bool checked = false;
    const QString pwd = passwordRefusal(c, password, false, &checked);
    if (!pwd.isEmpty())
        return refuse(QString(), pwd);
    return reply(QStringLiteral("1"), money(c.limit), money(c.used),
        QStringLiteral("CONSULTA EFETUADA COM SUCESSO"), true);
}

} // namespace zx::server
