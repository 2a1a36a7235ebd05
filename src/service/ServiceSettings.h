#pragma once
// Where the services live: the base address (folder of the six services, ending with
// "/"), the namespace of their interfaces, and the address of the update package.
// Installation values kept in configura.ini [CONFIG], with build defaults; read at
// every use, as every setting is.
#include <QString>

#ifndef ZX_DEFAULT_SERVICE_BASE
#define ZX_DEFAULT_SERVICE_BASE "http://127.0.0.1:8590/"
#endif
#ifndef ZX_DEFAULT_SERVICE_NAMESPACE
#define ZX_DEFAULT_SERVICE_NAMESPACE "http://tempuri.org/"
#endif
#ifndef ZX_DEFAULT_UPDATE_URL
#define ZX_DEFAULT_UPDATE_URL "http://127.0.0.1:8590/atualizacao/Zentrix.zip"
#endif

namespace zx {

struct ServiceEndpoint {
    QString base; // ends with "/"
    QString ns; // namespace URI

    // base + service + ".asmx"
    QString url(const QString &service) const;
};

class ServiceSettings {
public:
    // configura.ini [CONFIG] keys.
    static inline const QString kBaseKey = QStringLiteral("URL_WS");
    static inline const QString kNamespaceKey = QStringLiteral("NAMESPACE_WS");
    static inline const QString kUpdateUrlKey = QStringLiteral("URL_ATUALIZA");

    static QString defaultBase() { return QStringLiteral(ZX_DEFAULT_SERVICE_BASE); }
    static QString defaultNamespace() { return QStringLiteral(ZX_DEFAULT_SERVICE_NAMESPACE); }
    static QString defaultUpdateUrl() { return QStringLiteral(ZX_DEFAULT_UPDATE_URL); }

    // The station's values (a blank value counts as missing; a base without the final
    // "/" gets it). An override set for this run wins over the file.
    static ServiceEndpoint endpoint();
    static QString updateUrl();

    // For this run only (zxtool --base, tests); an empty text removes the override.
    static void setBaseOverride(const QString &base);
    static QString baseOverride();

    static QString normalizedBase(const QString &base);
};

} // namespace zx
