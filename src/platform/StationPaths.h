#pragma once
#include <QString>
#include <QStringList>

namespace zx {

// The program folder (configura.ini, Dados/, ...) and the drive root (kv.ini, rel.txt).
class StationPaths {
public:
    StationPaths() = default;
    StationPaths(const QString &driveRoot, const QString &programFolder);

    // Environment ZENTRIX_ROOT / ZENTRIX_HOME, then --root / --home in arguments.
    static StationPaths fromEnvironment(const QStringList &arguments = {});

    QString driveRoot() const { return m_root; }
    QString programFolder() const { return m_home; }
    // Paths below the two folders; they never end with a separator.
    QString inRoot(const QString &name) const;
    QString inProgram(const QString &name) const;
    // Creates both folders when missing.
    bool ensureExist() const;

private:
    QString m_root;
    QString m_home;
};

} // namespace zx
