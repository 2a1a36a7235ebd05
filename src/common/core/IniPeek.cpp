#include "common/core/IniPeek.h"

#include "common/core/Cp1252.h"

#include <QFile>

namespace zx::funcao {

QString iniPeek(const QString &path, const QString &section, const QString &key, const QString &def)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return def;
    bool inSection = false;
    while (!f.atEnd()) {
        const QString line = cp1252::decode(f.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSection
                = line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return def;
}

} // namespace zx::funcao
