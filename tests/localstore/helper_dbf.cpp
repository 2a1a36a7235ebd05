#include "helper_dbf.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace lstest {

QByteArray dbfBytes(
    const QList<Col> &cols, const QList<QStringList> &rows, qint64 headerCount, const QDate &date)
{
    int recordLength = 1;
    for (const Col &c : cols)
        recordLength += c.length;
    const int headerLength = 32 + 32 * int(cols.size()) + 1;
    const quint32 count = quint32(headerCount < 0 ? rows.size() : headerCount);

    QByteArray b(32, '\0');
    b[0] = 0x03;
    b[1] = char(date.year() - 1900);
    b[2] = char(date.month());
    b[3] = char(date.day());
    for (int i = 0; i < 4; ++i)
        b[4 + i] = char((count >> (8 * i)) & 0xFF);
    b[8] = char(headerLength & 0xFF);
    b[9] = char(headerLength >> 8);
    b[10] = char(recordLength & 0xFF);
    b[11] = char(recordLength >> 8);
    b[29] = 0x03;
    for (const Col &c : cols) {
        QByteArray d(32, '\0');
        const QByteArray name = c.name.toLatin1();
        d.replace(0, name.size(), name);
        d[11] = c.type;
        d[16] = char(c.length);
        b += d;
    }
    b += char(0x0D);
    for (const QStringList &row : rows) {
        QByteArray r(1, ' ');
        for (int i = 0; i < cols.size(); ++i) {
            const QByteArray v = row.value(i).toLatin1().left(cols.at(i).length);
            r += cols.at(i).type == 'N' ? v.rightJustified(cols.at(i).length, ' ')
                                        : v.leftJustified(cols.at(i).length, ' ');
        }
        b += r;
    }
    b += char(0x1A);
    return b;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

int countCaseVariants(const QString &folder, const QString &name)
{
    int n = 0;
    for (const QString &e : QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot))
        n += e.compare(name, Qt::CaseInsensitive) == 0;
    return n;
}

} // namespace lstest
