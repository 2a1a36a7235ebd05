#pragma once
// The legacy service: of its operations only these two are still called.
#include "service/SoapInterface.h"

namespace zx {

class servicoSoap : public SoapInterface {
public:
    servicoSoap()
        : SoapInterface(QStringLiteral("servico"))
    {
    }
    explicit servicoSoap(const ServiceEndpoint &endpoint)
        : SoapInterface(QStringLiteral("servico"), endpoint)
    {
    }

    int getUltMatr(const QString &id, const QString &cnpjDec)
    {
        return callInt(QStringLiteral("getUltMatr"), { id, cnpjDec });
    }
    void dispFechDiar() { callVoid(QStringLiteral("dispFechDiar"), {}); }
};

} // namespace zx
