#include "service/ServiceError.h"

namespace zx {

ServiceError::ServiceError(Kind kind, const QString &message)
    : std::runtime_error(message.toStdString())
    , m_kind(kind)
    , m_message(message)
{
}

QString ServiceError::kindName() const
{
    return kindName(m_kind);
}

QString ServiceError::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Connection:
        return QStringLiteral("EConexao");
    case Kind::Timeout:
        return QStringLiteral("ETempoEsgotado");
    case Kind::Http:
        return QStringLiteral("EHttp");
    case Kind::Fault:
        return QStringLiteral("ESoapFault");
    case Kind::Reply:
        return QStringLiteral("ERespostaInvalida");
    case Kind::Internal:
        return QStringLiteral("EInterno");
    }
    return QStringLiteral("EServico");
}

} // namespace zx
