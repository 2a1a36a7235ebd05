// SQL over the service: queries into record lists, single rows and values,
// statements and the transaction shape, all on kv3.
#include "service/Twc.h"

#include "common/Messages.h"
#include "platform/Platform.h"
#include "service/kv3Soap.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/TextRules.h"

namespace zx {

QString Twc::getDSXML(const QString &id, const QString &sql, bool mostraMsg)
{
    // No wait window: the callers show their own.
    const QString reply = operacao(FormaOperacao {}, QString(), [&] {
        kv3Soap kv3;
        const QString text = unzip(kv3.getDSXML2(zip(id), zip(sql), false));
        return protocol::escapeAmpersands(protocol::foldAccents(text));
    });
    if (!m_ultimaFalha)
        return reply;
    if (mostraMsg)
        mostraMsgConexao(MsgConexao::Internet);
    return kErroClasse + m_ultimaFalha->kindName() + QStringLiteral(" - Mensagem: ")
        + m_ultimaFalha->message();
}

bool Twc::execSQL(const QString &id, const QString &sql, bool mostraMsg)
{
    return operacao(
        FormaOperacao { .falha = mostraMsg ? MsgConexao::Internet : MsgConexao::Nenhuma }, false,
        [&] {
            kv3Soap kv3;
            return kv3.execSQL2(zip(id), zip(sql));
        });
}

bool Twc::execTrans(const QString &id, const QString &dadXML)
{
    const QString reply = operacao(FormaOperacao {}, QString(), [&] {
        kv3Soap kv3;
        return unzip(kv3.execTrans(zip(id), zip(dadXML)));
    });
    if (m_ultimaFalha)
        return false;
    if (contemSucesso(reply))
        return true;
    Platform::dialogs().message(kCaption, reply, MsgIcon::None, MsgButton::Ok);
    return false;
}

std::optional<protocol::TRegist> Twc::getRegUnicoXML(const QString &id, const QString &sql)
{
    mostraAguarde(QStringLiteral("AGUARDE, buscando na Web"), corAguarde);
    const QString reply = getDSXML(id, sql, true);
    fechaAguarde();
    if (m_ultimaFalha) // the connection message has been shown
        return std::nullopt;
    if (trataErroServidor(reply, true))
        return std::nullopt;
    // The reply is already escaped ("&" as "e_e"); montRegUnicoXML restores the values.
    QString why;
    std::optional<protocol::TRegist> row = protocol::montRegUnicoXML(reply, &why);
    if (!row && !why.isEmpty()) {
        // Not a record list (a proxy's page, a broken reply): a failed access.
        m_ultimaFalha = ServiceError(ServiceError::Kind::Reply, why);
        mostraMsgConexao(MsgConexao::Internet);
    }
    return row;
}

QString Twc::getVlrUnicoXML(const QString &id, const QString &sql)
{
    const std::optional<protocol::TRegist> row = getRegUnicoXML(id, sql);
    return row && !row->valores.isEmpty() ? row->valores.first() : QString();
}

QString Twc::getParam(const QString &texto, const QString &chave)
{
    QString rest = texto;
    const qsizetype at = texto.indexOf(chave);
    if (at >= 0)
        rest = texto.mid(at);
    const qsizetype eq = rest.indexOf(QLatin1Char('='));
    if (eq >= 0)
        rest = rest.mid(eq + 1);
    const qsizetype bar = rest.indexOf(QLatin1Char('|'));
    return bar >= 0 ? rest.left(bar) : rest;
}

} // namespace zx
