#include "ServiceDispatcher.h"

#include "ReplyText.h"
#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/ServiceCatalog.h"

#include <QHash>

namespace zx::server {

namespace {

using protocol::OperationSpec;
using soap::SoapFault;
using soap::XsdType;

struct Call {
    const OperationSpec *spec = nullptr;
    QHash<QString, QVariant> values; // decoded parameters
    QHash<QString, QString> texts; // unpacked byte arrays and strings, as text
    bool identityOk = true;

    QString text(const char *name) const { return texts.value(QLatin1String(name)); }
};

struct Result {
    QVariant value; // QString for string and (before packing) byte-array results
    QString detail = QStringLiteral("ok");
};

SoapFault clientFault(const QString &why)
{
    SoapFault f;
    f.code = QStringLiteral("soap:Client");
    f.string = why;
    return f;
}

SoapFault serverFault(const QString &why)
{
    SoapFault f;
    f.code = QStringLiteral("soap:Server");
    f.string = why;
    return f;
}

const QString kIdentityRefused
    = QStringLiteral("IDENTIFICACAO DO CLIENTE INVALIDA. VERIFIQUE A DATA DO COMPUTADOR");

std::optional<protocol::TRegist> firstRow(const QString &text)
{
    protocol::TblTemp rows;
    if (!protocol::setTblTempXMLSt(text, rows) || rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

const OperationSpec *findOperation(const QString &service, const QString &op, QString *serviceName)
{
    for (const auto &s : protocol::ServiceCatalog::services()) {
        if (s.name.compare(service, Qt::CaseInsensitive) != 0)
            continue;
        *serviceName = s.name;
        return s.operation(op);
    }
    return nullptr;
}

} // namespace

ServiceDispatcher::ServiceDispatcher(QSqlDatabase db, ServerOptions options, Clock clock)
    : m_options(std::move(options))
    , m_clock(std::move(clock))
    , m_sql(db)
    , m_cards(db, m_clock)
    , m_accounts(db, m_options.operatorCnpj)
{
}

bool ServiceDispatcher::served(const QString &service, const QString &operation)
{
    static const QSet<QString> ops = { "kv1.getResp", "kv1.getResCart", "kv1.getAutoriz",
        "kv1.CancAutoriz", "kv1_F.getResp", "kv1_F.getResCart", "kv1_F.getAutoriz",
        "kv1_F.CancAutoriz", "kv3.getDSXML2", "kv3.execSQL2", "kv3.execTrans", "kv3.getDatHor",
        "kv3.getUserOk", "servico.getUltMatr" };
    return ops.contains(service + u'.' + operation);
}

SoapOutcome ServiceDispatcher::call(
    const QString &service, const QByteArray &envelope, const QString &soapAction)
{
    SoapOutcome out;
    auto fault = [&](const SoapFault &f) {
        out.body = soap::writeFault(f);
        out.httpStatus = 500;
        out.detail = QStringLiteral("fault: ") + f.string;
        return out;
    };
    QString err;
    const auto req = soap::readRequest(envelope, &err);
    if (!req)
        return fault(clientFault(QStringLiteral("Requisição SOAP inválida: ") + err));
    QString serviceName;
    const OperationSpec *spec = findOperation(service, req->operation, &serviceName);
    out.operation = (serviceName.isEmpty() ? service : serviceName) + u'.' + req->operation;
    if (req->ns != m_options.ns)
        return fault(clientFault(QStringLiteral("Namespace desconhecido: ") + req->ns));
    if (!spec)
        return fault(
            clientFault(QStringLiteral("Operação desconhecida neste serviço: ") + req->operation));
    QString action = soapAction.trimmed();
    if (action.size() >= 2 && action.startsWith(u'"') && action.endsWith(u'"'))
        action = action.mid(1, action.size() - 2);
    if (!action.isEmpty() && action != soap::soapAction(m_options.ns, spec->name))
        return fault(
            clientFault(QStringLiteral("SOAPAction não corresponde à operação: ") + action));
    if (!served(serviceName, spec->name))
        return fault(
            serverFault(QStringLiteral("Operação declarada mas não atendida por este servidor: ")
                + serviceName + u'.' + spec->name));

    Call call;
    call.spec = spec;
    for (qsizetype i = 0; i < spec->params.size(); ++i) {
        const auto &p = spec->params[i];
        const auto *part = req->part(p.name);
        if (!part)
            return fault(clientFault(QStringLiteral("Parâmetro ausente: ") + p.name));
        QVariant v;
        if (!part->nil) {
            const auto decoded = soap::decodeValue(p.type, part->text, &err);
            if (!decoded)
                return fault(
                    clientFault(QStringLiteral("Parâmetro %1 inválido: %2").arg(p.name, err)));
            v = *decoded;
        }
        call.values.insert(p.name, v);
        const bool identity = i == 0 && spec->identity != protocol::IdentityForm::None;
        if (identity)
            continue;
        if (p.type == XsdType::Base64Binary && spec->packs()) {
            const auto text = protocol::getUnzip(v.toByteArray(), &err, m_options.maxInflateBytes);
            if (!text)
                return fault(
                    clientFault(QStringLiteral("Pacote inválido em %1: %2").arg(p.name, err)));
            call.texts.insert(p.name, *text);
        } else if (p.type == XsdType::String) {
            call.texts.insert(p.name, v.toString());
        }
    }
    if (spec->identity != protocol::IdentityForm::None) {
        const QVariant id = call.values.value(spec->params.first().name);
        const QDate today = m_clock().date();
        call.identityOk = false;
        for (int d : { 0, -1, 1 })
            call.identityOk = call.identityOk
                || protocol::identityMatches(spec->identity, id, today.addDays(d));
    }

    Result r;
    const QString op = serviceName + u'.' + spec->name;
    const bool cardOp = serviceName == u"kv1" || serviceName == u"kv1_F";
    if (spec->name == u"getResp") {
        r.value = QString(QStringLiteral("CONEXAO OK: servidor ZENTrix respondendo em ")
            + m_clock().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    } else if (cardOp) {
        const QString param
            = spec->name == u"getResCart" ? QStringLiteral("prmSaldo") : QStringLiteral("prmAutor");
        const auto row = firstRow(call.texts.value(param));
        QString refusal;
        if (!call.identityOk)
            refusal = kIdentityRefused;
        else if (!row)
            refusal = QStringLiteral("REQUISICAO INVALIDA");
        if (!refusal.isEmpty()) {
            r.detail = QStringLiteral("refused: ") + refusal;
            if (spec->name == u"getAutoriz")
                r.value = recordReply({ { "MENSA_RETOR", refusal }, { "AUTOR_VENDA", "0" } });
            else if (spec->name == u"getResCart")
                r.value = recordReply({ { "SITUA_CARTA", "" }, { "LIMIT_FUNCI", refusal },
                    { "MENSA_RETOR", refusal } });
            else
                r.value = recordReply({ { "MENSA_RETOR", refusal }, { "AUTOR_VENDA", "" } });
        } else if (spec->name == u"getAutoriz") {
            r.value = m_cards.authorize(*row, serviceName == u"kv1_F");
        } else if (spec->name == u"CancAutoriz") {
            r.value = m_cards.reverse(*row);
        } else {
            r.value = m_cards.balance(*row);
        }
        if (r.detail == u"ok") {
            if (const auto reply = firstRow(r.value.toString()))
                r.detail = protocol::vlrRegByName(*reply, QStringLiteral("MENSA_RETOR"));
        }
    } else if (op == u"kv3.getDSXML2") {
        r.value = call.identityOk ? m_sql.query(call.text("sql")) : errorReply(kIdentityRefused);
    } else if (op == u"kv3.execSQL2") {
        QString why = kIdentityRefused;
        r.value = call.identityOk && m_sql.exec(call.text("sql"), &why);
        if (!r.value.toBool())
            r.detail = QStringLiteral("false: ") + why;
    } else if (op == u"kv3.execTrans") {
        r.value
            = call.identityOk ? m_sql.execTrans(call.text("dadXML")) : errorReply(kIdentityRefused);
    } else if (op == u"kv3.getDatHor") {
        const QDateTime now = m_clock();
        r.value = recordReply({ { "VERSAO", m_options.version },
            { "DATA", now.toString(QStringLiteral("dd/MM/yyyy")) },
            { "HORA", now.toString(QStringLiteral("HH:mm:ss")) } });
    } else if (op == u"kv3.getUserOk") {
        r.value = call.identityOk ? m_accounts.validateUser(call.text("prmAlt"))
                                  : errorReply(kIdentityRefused);
    } else if (op == u"servico.getUltMatr") {
        if (!call.identityOk)
            return fault(clientFault(kIdentityRefused));
        r.value = m_accounts.lastRegistration(call.text("cnpjDec"));
    } else {
        return fault(serverFault(QStringLiteral("Operação não atendida: ") + op));
    }
    if (r.detail == u"ok" && r.value.typeId() == QMetaType::QString
        && r.value.toString().startsWith(u"ERRO ENCONTRADO"))
        r.detail = r.value.toString();
    if (!call.identityOk && r.detail == u"ok")
        r.detail = QStringLiteral("refused: ") + kIdentityRefused;

    QVariant result = r.value;
    if (spec->result == XsdType::Base64Binary)
        result = spec->packs() ? protocol::getZip(r.value.toString()) : r.value.toByteArray();
    out.body = soap::writeResponse(m_options.ns, spec->name, spec->result, result);
    out.detail = r.detail;
    return out;
}

} // namespace zx::server
