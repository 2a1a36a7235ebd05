#include "service/SqlText.h"

namespace zx {

QString encrip(const QString &value)
{
    QString clean = value;
    clean.remove(QLatin1Char(']'));
    return QStringLiteral("ENCRIP[") + clean + QLatin1Char(']');
}

} // namespace zx
