#include "helper_printing.h"

#include "TestSupport.h"
#include "config/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString compareGolden(const QByteArray &actual, const QString &relative)
{
    const QString path = QStringLiteral(ZX_SOURCE_DIR "/tests/") + relative;
    if (zxtest::updateGolden()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(actual) != actual.size())
            return QStringLiteral("cannot write ") + path;
        return {};
    }
    const QByteArray expected = readFile(path);
    if (expected == actual)
        return {};
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual.at(i) == expected.at(i))
        ++i;
    return QStringLiteral("%1 differs at byte %2 (sizes %3 and %4); actual around there: %5")
        .arg(relative)
        .arg(i)
        .arg(actual.size())
        .arg(expected.size())
        .arg(QString::fromLatin1(actual.mid(std::max<qsizetype>(0, i - 20), 60).toHex(' ')));
}

} // namespace printtest
