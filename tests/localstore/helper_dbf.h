#pragma once
// Hand-made dBase files for the store tests: written here byte by byte, independent
// of the engine, so that damaged and foreign layouts can be set up exactly.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace lstest {

struct Col {
    QString name;
    char type; // 'C' or 'N'
    int length;
};

// A level-4 table with the given rows (values as text, left-justified for C and
// right-justified for N). headerCount < 0 writes the true count.
QByteArray dbfBytes(const QList<Col> &cols, const QList<QStringList> &rows, qint64 headerCount = -1,
    const QDate &date = QDate(2020, 1, 2));
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Number of entries of folder whose name equals name ignoring case.
int countCaseVariants(const QString &folder, const QString &name);

} // namespace lstest
