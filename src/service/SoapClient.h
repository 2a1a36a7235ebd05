#pragma once
// A client for one of the six services: builds the request envelope of an operation
// from the operation table, posts it, and gives back the typed result. Every failure
// (transport, HTTP, SOAP fault, unreadable reply) raises ServiceError.
#include "service/ServiceSettings.h"
#include "service/SoapTransport.h"
#include "service/protocol/ServiceCatalog.h"

#include <QVariant>

namespace zx {

class SoapClient {
public:
    // The station's base address and namespace, with the process-wide time-outs.
    explicit SoapClient(const QString &service);
    SoapClient(const QString &service, const ServiceEndpoint &endpoint);

    QString service() const { return m_service; }
    QString url() const { return m_endpoint.url(m_service); }
    ServiceEndpoint endpoint() const { return m_endpoint; }
    SoapTransport &transport() { return m_transport; }

    // Calls the operation with its parameters in table order, each value already in
    // its wire form (QByteArray for base64Binary, QString, bool, int, double,
    // QDateTime). Gives the decoded result (a null QVariant for an operation without
    // result). An operation missing from the table, or a wrong number of values,
    // raises ServiceError too: no request is sent.
    QVariant call(const QString &operation, const QVariantList &values);

    // The operation's table entry; raises when the service does not declare it.
    const protocol::OperationSpec &operation(const QString &operation) const;

private:
    QString m_service;
    ServiceEndpoint m_endpoint;
    SoapTransport m_transport;
};

} // namespace zx
