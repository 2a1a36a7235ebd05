#include "service/SoapClient.h"

#include "service/ServiceError.h"
#include "service/protocol/SoapCodec.h"

namespace zx {

SoapClient::SoapClient(const QString &service)
    : SoapClient(service, ServiceSettings::endpoint())
{
}

SoapClient::SoapClient(const QString &service, const ServiceEndpoint &endpoint)
    : m_service(service)
    , m_endpoint(endpoint)
{
}

const protocol::OperationSpec &SoapClient::operation(const QString &operation) const
{
    const protocol::OperationSpec *spec = protocol::ServiceCatalog::operation(m_service, operation);
    if (!spec)
        throw ServiceError(ServiceError::Kind::Internal,
            QStringLiteral("Operação desconhecida: %1.%2").arg(m_service, operation));
    return *spec;
}

QVariant SoapClient::call(const QString &operationName, const QVariantList &values)
{
    const protocol::OperationSpec &spec = operation(operationName);
    if (values.size() != spec.params.size())
        throw ServiceError(ServiceError::Kind::Internal,
            QStringLiteral("%1.%2 espera %3 parâmetros, recebeu %4")
                .arg(m_service, operationName)
                .arg(spec.params.size())
                .arg(values.size()));
    QList<soap::SoapArg> args;
    for (qsizetype i = 0; i < values.size(); ++i)
        args.append({ spec.params.at(i).name, spec.params.at(i).type, values.at(i) });

    const QByteArray envelope = soap::writeRequest(m_endpoint.ns, operationName, args);
    const QByteArray action = soap::soapAction(m_endpoint.ns, operationName).toUtf8();
    const SoapTransport::Reply reply = m_transport.post(QUrl(url()), action, envelope);

    const soap::SoapResponse r
        = soap::readResponse(reply.body, m_endpoint.ns, operationName, spec.result);
    if (r.kind == soap::SoapResponse::Fault)
        throw ServiceError(
            ServiceError::Kind::Fault, r.fault.string.isEmpty() ? r.fault.code : r.fault.string);
    if (reply.status != 200)
        throw ServiceError(
            ServiceError::Kind::Http, QStringLiteral("HTTP %1 em %2").arg(reply.status).arg(url()));
    if (r.kind != soap::SoapResponse::Result)
        throw ServiceError(ServiceError::Kind::Reply, r.error);
    return r.value;
}

} // namespace zx
