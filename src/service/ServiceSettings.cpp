#include "service/ServiceSettings.h"

#include "config/StationSettings.h"

namespace zx {

namespace {
QString &overrideBase()
{
    static QString base;
    return base;
}

QString readConfig(const QString &key, const QString &def)
{
    const StationSettings settings;
    const QString v
        = settings.installFile().readString(StationSettings::kConfig, key, QString()).trimmed();
    return v.isEmpty() ? def : v;
}
} // namespace

QString ServiceEndpoint::url(const QString &service) const
{
    return base + service + QStringLiteral(".asmx");
}

QString ServiceSettings::normalizedBase(const QString &base)
{
    QString b = base.trimmed();
    if (!b.isEmpty() && !b.endsWith(QLatin1Char('/')))
        b += QLatin1Char('/');
    return b;
}

ServiceEndpoint ServiceSettings::endpoint()
{
    ServiceEndpoint e;
    e.base = normalizedBase(
        overrideBase().isEmpty() ? readConfig(kBaseKey, defaultBase()) : overrideBase());
    e.ns = readConfig(kNamespaceKey, defaultNamespace());
    return e;
}

QString ServiceSettings::updateUrl()
{
    return readConfig(kUpdateUrlKey, defaultUpdateUrl());
}

void ServiceSettings::setBaseOverride(const QString &base)
{
    overrideBase() = base.trimmed();
}
QString ServiceSettings::baseOverride()
{
    return overrideBase();
}

} // namespace zx
