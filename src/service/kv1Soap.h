#pragma once
// Merchant card transactions (service kv1): connectivity answer, balance,
// authorization, reversal. Byte arrays are zlib-packed by the caller.
#include "service/SoapInterface.h"

namespace zx {

class kv1Soap : public SoapInterface {
public:
    kv1Soap()
        : SoapInterface(QStringLiteral("kv1"))
    {
    }
    explicit kv1Soap(const ServiceEndpoint &endpoint)
        : SoapInterface(QStringLiteral("kv1"), endpoint)
    {
    }

    QString getResp() { return callString(QStringLiteral("getResp"), {}); }
    QByteArray getResCart(const QByteArray &idCliente, const QByteArray &prmSaldo)
    {
        return callBytes(QStringLiteral("getResCart"), { idCliente, prmSaldo });
    }
    QByteArray getAutoriz(const QByteArray &idCliente, const QByteArray &prmAutor)
    {
        return callBytes(QStringLiteral("getAutoriz"), { idCliente, prmAutor });
    }
    QByteArray CancAutoriz(const QByteArray &idCliente, const QByteArray &prmAutor)
    {
        return callBytes(QStringLiteral("CancAutoriz"), { idCliente, prmAutor });
    }

protected:
    // kv1_F: the same declarations under another service name.
    explicit kv1Soap(const QString &service)
        : SoapInterface(service)
    {
    }
    kv1Soap(const QString &service, const ServiceEndpoint &endpoint)
        : SoapInterface(service, endpoint)
    {
    }
};

} // namespace zx
