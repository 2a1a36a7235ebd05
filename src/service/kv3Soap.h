#pragma once
// SQL over the service, server clock, card and user maintenance, food invoices
// (service kv3).
#include "service/SoapInterface.h"

namespace zx {

class kv3Soap : public SoapInterface {
public:
    kv3Soap()
        : SoapInterface(QStringLiteral("kv3"))
    {
    }
    explicit kv3Soap(const ServiceEndpoint &endpoint)
        : SoapInterface(QStringLiteral("kv3"), endpoint)
    {
    }

    QByteArray getDSXML2(const QByteArray &id, const QByteArray &sql, bool dotNet)
    {
        return callBytes(QStringLiteral("getDSXML2"), { id, sql, dotNet });
    }
    QByteArray execTrans(const QByteArray &idCliente, const QByteArray &dadXML)
    {
        return callBytes(QStringLiteral("execTrans"), { idCliente, dadXML });
    }
    bool execSQL2(const QByteArray &id, const QByteArray &sql)
    {
        return callBool(QStringLiteral("execSQL2"), { id, sql });
    }
    QString getDatHor() { return callString(QStringLiteral("getDatHor"), {}); }

    QString altStatCart(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("altStatCart"), { idCliente, prmAlt });
    }
    QString altDepFunc(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("altDepFunc"), { idCliente, prmAlt });
    }
    QString altLimitFunc(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("altLimitFunc"), { idCliente, prmAlt });
    }
    QString altAjuCust(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("altAjuCust"), { idCliente, prmAlt });
    }
    QString getUserOk(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("getUserOk"), { idCliente, prmAlt });
    }
    QString getDadAut(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("getDadAut"), { idCliente, prmAlt });
    }
    QString getAntParcFut(const QString &idCliente, const QString &prmAlt)
    {
        return callString(QStringLiteral("getAntParcFut"), { idCliente, prmAlt });
    }

    QByteArray incFuncXML(const QByteArray &idCliente, const QByteArray &cnpjDec,
        const QByteArray &arqXML, const QString &tpCart, bool insAtivo)
    {
        return callBytes(
            QStringLiteral("incFuncXML"), { idCliente, cnpjDec, arqXML, tpCart, insAtivo });
    }
    QByteArray ajustAcum(const QByteArray &idCliente, const QByteArray &nrCartao,
        const QByteArray &nrCPF, const QByteArray &nrCNPJ)
    {
        return callBytes(QStringLiteral("ajustAcum"), { idCliente, nrCartao, nrCPF, nrCNPJ });
    }
    QByteArray ajustAcumTp2(const QByteArray &idCliente, const QByteArray &nrCartao,
        const QByteArray &nrCPF, const QByteArray &nrCNPJ)
    {
        return callBytes(QStringLiteral("ajustAcumTp2"), { idCliente, nrCartao, nrCPF, nrCNPJ });
    }
    QByteArray altIdUser(
        const QByteArray &idCliente, const QByteArray &prmAlt, const QByteArray &prmUser)
    {
        return callBytes(QStringLiteral("altIdUser"), { idCliente, prmAlt, prmUser });
    }
    QByteArray setCabFood(const QByteArray &idCliente, const QByteArray &prmFood)
    {
        return callBytes(QStringLiteral("setCabFood"), { idCliente, prmFood });
    }
    QByteArray setItFood(
        const QByteArray &idCliente, const QByteArray &chavFood, const QByteArray &prmItFood)
    {
        return callBytes(QStringLiteral("setItFood"), { idCliente, chavFood, prmItFood });
    }
    QByteArray getConfFood(const QByteArray &idCliente, const QByteArray &chavFood)
    {
        return callBytes(QStringLiteral("getConfFood"), { idCliente, chavFood });
    }
    QByteArray setAjusFinFood(const QByteArray &idCliente, const QByteArray &prmAjfinFood)
    {
        return callBytes(QStringLiteral("setAjusFinFood"), { idCliente, prmAjfinFood });
    }
};

} // namespace zx
