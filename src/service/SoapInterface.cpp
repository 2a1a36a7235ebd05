#include "service/SoapInterface.h"

namespace zx {

// A nil or absent result reads as the type's empty value.
QByteArray SoapInterface::callBytes(const QString &op, const QVariantList &values)
{
    return m_client.call(op, values).toByteArray();
}

QString SoapInterface::callString(const QString &op, const QVariantList &values)
{
    return m_client.call(op, values).toString();
}

bool SoapInterface::callBool(const QString &op, const QVariantList &values)
{
    return m_client.call(op, values).toBool();
}

int SoapInterface::callInt(const QString &op, const QVariantList &values)
{
    return m_client.call(op, values).toInt();
}

void SoapInterface::callVoid(const QString &op, const QVariantList &values)
{
    m_client.call(op, values);
}

} // namespace zx
