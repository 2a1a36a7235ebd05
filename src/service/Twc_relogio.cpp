// The connectivity probe, the server clock and the version marker of report replies.
#include "service/Twc.h"

#include "common/Messages.h"
#include "platform/Platform.h"
#include "service/VersaoPrograma.h"
#include "service/kv1Soap.h"
#include "service/kv3Soap.h"
#include "service/protocol/RecordList.h"

namespace zx {

namespace {
const QString kMarcaVersao = QStringLiteral("VERSA_EXECU=");

// The clock reply's row; a reply that is not a record list fails the call.
std::optional<protocol::TRegist> linhaRelogio(const QString &reply)
{
    QString why;
    std::optional<protocol::TRegist> row = protocol::montRegUnicoXML(reply, &why);
    if (!row && !why.isEmpty())
        throw ServiceError(ServiceError::Kind::Reply, why);
    return row;
}
} // namespace

QString Twc::getConWS(bool mostra)
{
    FormaOperacao forma;
    if (mostra) {
        forma.aguarde = QStringLiteral("Testando a situação da conexão...");
        forma.falha = MsgConexao::PaginaInternet;
    }
    const QString resposta = operacao(forma, kMsgConexaoPagina, [] {
        kv1Soap kv1;
        return kv1.getResp();
    });
    if (mostra && !m_ultimaFalha)
        Platform::dialogs().message(kCaption, resposta, MsgIcon::None, MsgButton::Ok);
    return resposta;
}

std::optional<protocol::TRegist> Twc::relogioWEB(QString &versao)
{
    std::optional<protocol::TRegist> row
        = operacao(FormaOperacao { .falha = MsgConexao::PaginaInternet },
            std::optional<protocol::TRegist>(), [] {
                kv3Soap kv3;
                return linhaRelogio(kv3.getDatHor());
            });
    if (row)
        versao = protocol::vlrRegByName(*row, QStringLiteral("VERSAO"));
    return row;
}

QDate Twc::getDatWEB(QString &versao)
{
    const std::optional<protocol::TRegist> row = relogioWEB(versao);
    if (!row)
        return {};
    return QDate::fromString(protocol::vlrRegByName(*row, QStringLiteral("DATA")).trimmed(),
        QStringLiteral("dd/MM/yyyy"));
}

QTime Twc::getHoraWEB(QString &versao)
{
    const std::optional<protocol::TRegist> row = relogioWEB(versao);
    if (!row)
        return {};
    const QString hora = protocol::vlrRegByName(*row, QStringLiteral("HORA")).trimmed();
    QTime t = QTime::fromString(hora, QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(hora, QStringLiteral("HH:mm"));
    return t;
}

bool Twc::compVersAtt(QString &retorno, QString &versWEB) const
{
    const qsizetype at = retorno.indexOf(kMarcaVersao);
    if (at < 0)
        return false;
    versWEB = retorno.mid(at + kMarcaVersao.size(), 10);
    retorno.truncate(at);
    if (versLocal.isEmpty())
        return false;
    return versaoMaisNova(versWEB, versLocal);
}

void Twc::dispAposCprVers(QString &retorno, QString &versWEB)
{
    bool difer = compVersAtt(retorno, versWEB);
    if (AposCprVers)
        AposCprVers(*this, retorno, difer, versWEB);
}

} // namespace zx
