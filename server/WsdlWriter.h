#pragma once
// The WSDL 1.1 description of one service, generated from the operation table:
// document/literal wrapped, SOAP 1.1 binding, the same namespace and SOAP actions the
// stations use, so that any SOAP tool can call the server from it alone.
#include <QByteArray>
#include <QString>

namespace zx::server {

// Empty when the service is unknown. `location` is the service's full address.
QByteArray writeWsdl(const QString &service, const QString &ns, const QString &location);

} // namespace zx::server
