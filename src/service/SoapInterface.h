#pragma once
// Common ground of the typed service interfaces: one SoapClient per interface object
// (a new object per call, as every operation obtains its own client) and the typed
// result conversions.
#include "service/SoapClient.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

namespace zx {

class SoapInterface {
public:
    SoapClient &client() { return m_client; }

protected:
    explicit SoapInterface(const QString &service)
        : m_client(service)
    {
    }
    SoapInterface(const QString &service, const ServiceEndpoint &endpoint)
        : m_client(service, endpoint)
    {
    }

    QByteArray callBytes(const QString &op, const QVariantList &values);
    QString callString(const QString &op, const QVariantList &values);
    bool callBool(const QString &op, const QVariantList &values);
    int callInt(const QString &op, const QVariantList &values);
    void callVoid(const QString &op, const QVariantList &values);

private:
    SoapClient m_client;
};

} // namespace zx
