#pragma once
// The report data file the list reports write for the banded layouts: one line per
// record, fields in the pipeline's order joined by "|", no header, Windows-1252,
// replaced on every run.
#include <QList>
#include <QString>
#include <QStringList>

namespace zx {

class ReportDataFile {
public:
    // "rel.txt" at the drive root: the file of almost every list report.
    static QString defaultPath();
    // "Rel.txt" in the program folder: the invoice list and one report of the data module.
    static QString programFolderPath();

    // Starts a new file at path (nothing is written until save()).
    explicit ReportDataFile(const QString &path = defaultPath());

    void addRecord(const QStringList &fields);
    qsizetype size() const { return m_records.size(); }

    // Writes and replaces the file; false (with errorString) when it could not.
    bool save();
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

    // A field as stored: the delimiter and line breaks would split the record, so
    // they become a blank.
    static QString cleanField(const QString &value);
    static QByteArray recordBytes(const QStringList &fields);

private:
    QString m_path;
    QList<QStringList> m_records;
    QString m_error;
};

} // namespace zx
