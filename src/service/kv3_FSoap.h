#pragma once
// Loyalty-card extras (service kv3_F).
#include "service/SoapInterface.h"

namespace zx {

class kv3_FSoap : public SoapInterface {
public:
    kv3_FSoap()
        : SoapInterface(QStringLiteral("kv3_F"))
    {
    }
    explicit kv3_FSoap(const ServiceEndpoint &endpoint)
        : SoapInterface(QStringLiteral("kv3_F"), endpoint)
    {
    }

    QByteArray getIndicDiret(const QByteArray &nrCartao)
    {
        return callBytes(QStringLiteral("getIndicDiret"), { nrCartao });
    }
};

} // namespace zx
