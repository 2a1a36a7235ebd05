#include "platform/StationPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace zx {

StationPaths::StationPaths(const QString &driveRoot, const QString &programFolder)
    : m_root(QDir::cleanPath(driveRoot)), m_home(QDir::cleanPath(programFolder))
{
}

StationPaths StationPaths::fromEnvironment(const QStringList &arguments)
{
    QString root = qEnvironmentVariable("ZENTRIX_ROOT");
    QString home = qEnvironmentVariable("ZENTRIX_HOME");
    for (int i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--root"))
            root = arguments.at(i + 1);
        else if (arguments.at(i) == QLatin1String("--home"))
            home = arguments.at(i + 1);
    }
    if (root.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + QLatin1String("/.local/share");
        root = data + QLatin1String("/zentrix");
    }
    if (home.isEmpty())
        home = root + QLatin1String("/station");
    return StationPaths(QDir(root).absolutePath(), QDir(home).absolutePath());
}

QString StationPaths::inRoot(const QString &name) const
{
    return QDir::cleanPath(m_root + QLatin1Char('/') + name);
}

QString StationPaths::inProgram(const QString &name) const
{
    return QDir::cleanPath(m_home + QLatin1Char('/') + name);
}

bool StationPaths::ensureExist() const
{
    return QDir().mkpath(m_root) && QDir().mkpath(m_home);
}

} // namespace zx
