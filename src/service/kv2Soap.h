#pragma once
// Reports and invoicing documents (service kv2).
#include "service/SoapInterface.h"

namespace zx {

class kv2Soap : public SoapInterface {
public:
    kv2Soap()
        : SoapInterface(QStringLiteral("kv2"))
    {
    }
    explicit kv2Soap(const ServiceEndpoint &endpoint)
        : SoapInterface(QStringLiteral("kv2"), endpoint)
    {
    }

    QByteArray getFuncSint(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getFuncSint"), { idCliente, prmCons });
    }
    QByteArray getFuncAnalit(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getFuncAnalit"), { idCliente, prmCons });
    }
    QString getAutApFec(const QString &idCliente, const QString &prmCons)
    {
        return callString(QStringLiteral("getAutApFec"), { idCliente, prmCons });
    }
    QString getDebResFc(const QString &idCliente, const QString &prmCons)
    {
        return callString(QStringLiteral("getDebResFc"), { idCliente, prmCons });
    }
    QByteArray getRelAut(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getRelAut"), { idCliente, prmCons });
    }
    QByteArray getERF(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getERF"), { idCliente, prmCons });
    }
    QByteArray getAutUserPer(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getAutUserPer"), { idCliente, prmCons });
    }
    QString getResFcAl(const QString &idCliente, const QString &prmCons)
    {
        return callString(QStringLiteral("getResFcAl"), { idCliente, prmCons });
    }
    QByteArray getCodCPTFol(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getCodCPTFol"), { idCliente, prmCons });
    }
    QByteArray getTxtNFe(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getTxtNFe"), { idCliente, prmCons });
    }
    QByteArray addRPS(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("addRPS"), { idCliente, prmCons });
    }
    QByteArray setNF_RPS(
        const QByteArray &idCliente, const QByteArray &inscMunc, const QByteArray &arqXML)
    {
        return callBytes(QStringLiteral("setNF_RPS"), { idCliente, inscMunc, arqXML });
    }
    QByteArray setRPSTx(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("setRPSTx"), { idCliente, prmCons });
    }
    QByteArray getNfPdf(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getNfPdf"), { idCliente, prmCons });
    }
    QByteArray getFatFidelid(const QByteArray &idCliente, const QByteArray &prmCons)
    {
        return callBytes(QStringLiteral("getFatFidelid"), { idCliente, prmCons });
    }
};

} // namespace zx
