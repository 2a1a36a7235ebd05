#include "printing/ReportDataFile.h"

#include "common/core/Cp1252.h"
#include "platform/Platform.h"

#include <QSaveFile>

namespace zx {

QString ReportDataFile::defaultPath()
{
    return Platform::paths().inRoot(QStringLiteral("rel.txt"));
}

QString ReportDataFile::programFolderPath()
{
    return Platform::paths().inProgram(QStringLiteral("Rel.txt"));
}

ReportDataFile::ReportDataFile(const QString &path)
    : m_path(path)
{
}

void ReportDataFile::addRecord(const QStringList &fields)
{
    m_records.append(fields);
}

QString ReportDataFile::cleanField(const QString &value)
{
    QString out = value;
    for (QChar &c : out)
        if (c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return out;
}

QByteArray ReportDataFile::recordBytes(const QStringList &fields)
{
    QStringList clean;
    clean.reserve(fields.size());
    for (const QString &f : fields)
        clean.append(cleanField(f));
    return cp1252::encode(clean.join(QLatin1Char('|'))) + "\r\n";
}

bool ReportDataFile::save()
{
    m_error.clear();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    for (const QStringList &r : m_records)
        file.write(recordBytes(r));
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zx
