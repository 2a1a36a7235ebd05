#pragma once
// The six services and their operations as data: parameter names and types, result
// type, packing and identity. Client, server and the server's WSDL all read this table.
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/SoapCodec.h"

#include <QList>
#include <QString>

namespace zx::protocol {

// How the byte arrays of an operation travel (parameters and result alike).
enum class Packing {
    None, // no byte arrays: plain strings and scalars
    Zlib, // every base64Binary parameter and result is a zlib stream (getZip/getUnzip)
    External, // the payroll-code pair getZip2/getUnzip2
};

struct ParamSpec {
    QString name;
    soap::XsdType type;
};

struct OperationSpec {
    QString service; // "kv3"
    QString name; // "getDSXML2"
    QList<ParamSpec> params;
    soap::XsdType result = soap::XsdType::None;
    Packing packing = Packing::None;
    IdentityForm identity = IdentityForm::None; // carried by params[0] unless None
    bool used = true; // false: declared by the server, called by no operation here

    bool packs() const { return packing != Packing::None; }
    const ParamSpec *param(const QString &name) const;
};

struct ServiceSpec {
    QString name; // "kv1_F"
    QString interfaceName; // "kv1_FSoap"
    QString role;
    QList<OperationSpec> operations;

    const OperationSpec *operation(const QString &name) const;
};

class ServiceCatalog {
public:
    static const QList<ServiceSpec> &services();
    static const ServiceSpec *service(const QString &name);
    static const OperationSpec *operation(const QString &service, const QString &operation);

    // base + name + ".asmx"; the base ends with "/".
    static QString endpoint(const QString &base, const QString &service);
};

} // namespace zx::protocol
