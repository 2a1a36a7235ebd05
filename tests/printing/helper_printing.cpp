#include "helper_printing.h"

#include "config/IniFile.h"

#include <QFile>

namespace printtest {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeKv(const QString &root, const QString &key, const QString &value)
{
    zx::IniFile(root + QStringLiteral("/kv.ini"))
        .writeString(QStringLiteral("SISTEMA"), key, value);
}

QString readKv(const QString &root, const QString &key)
{
    return zx::IniFile(root + QStringLiteral("/kv.ini")).readString(QStringLiteral("SISTEMA"), key);
}

} // namespace printtest
