#include "localstore/DbfHeader.h"

#include <QSet>

namespace zx {

namespace {

quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b.at(at))) | quint16(quint8(b.at(at + 1))) << 8;
}

quint32 u32(const QByteArray &b, int at)
{
    return quint32(quint8(b.at(at))) | quint32(quint8(b.at(at + 1))) << 8
        | quint32(quint8(b.at(at + 2))) << 16 | quint32(quint8(b.at(at + 3))) << 24;
}

void put16(QByteArray &b, int at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool validName(const QString &name)
{
    if (name.isEmpty() || name.size() > 10)
        return false;
    for (QChar c : name)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F)
            return false;
    return true;
}

} // namespace

bool DbfHeader::build(
    const QList<DbfField> &fields, const QDate &date, DbfHeader &out, QString *error)
{
    if (fields.isEmpty()) {
        setError(error, QStringLiteral("tabela sem campos"));
        return false;
    }
    DbfHeader h;
    h.lastUpdate = date;
    int offset = 1;
    QSet<QString> seen;
    for (DbfField f : fields) {
        f.name = f.name.toUpper();
        if (!validName(f.name)) {
            setError(error, QStringLiteral("nome de campo inválido: '%1'").arg(f.name));
            return false;
        }
        if (seen.contains(f.name)) {
            setError(error, QStringLiteral("campo repetido: %1").arg(f.name));
            return false;
        }
        seen.insert(f.name);
        bool ok = false;
        if (f.type == 'C')
            ok = f.length >= 1 && f.length <= DbfField::kMaxCharacterWidth && f.decimals == 0;
        else if (f.type == 'N')
            ok = f.length >= 1 && f.length <= DbfField::kIntegerWidth
                && (f.decimals == 0 || (f.decimals > 0 && f.decimals <= f.length - 2));
        if (!ok) {
            setError(error, QStringLiteral("tipo ou tamanho inválido no campo %1").arg(f.name));
            return false;
        }
        f.offset = offset;
        offset += f.length;
        h.fields << f;
    }
    if (offset > 0xFFFF) {
        setError(error, QStringLiteral("registro longo demais"));
        return false;
    }
    h.recordLength = quint16(offset);
    h.headerLength = quint16(32 + 32 * fields.size() + 1);
    out = h;
    return true;
}

bool DbfHeader::parse(const QByteArray &bytes, DbfHeader &out, QString *error)
{
    if (bytes.size() < 32) {
        setError(error, QStringLiteral("cabeçalho truncado (%1 bytes)").arg(bytes.size()));
        return false;
    }
    DbfHeader h;
    h.version = quint8(bytes.at(0));
    const int yy = quint8(bytes.at(1)), mm = quint8(bytes.at(2)), dd = quint8(bytes.at(3));
    h.lastUpdate = QDate(1900 + yy, mm, dd); // invalid when the writer left it blank
    h.recordCount = u32(bytes, 4);
    h.headerLength = u16(bytes, 8);
    h.recordLength = u16(bytes, 10);
    h.languageDriver = quint8(bytes.at(29));
    if ((h.version & 0x07) == 0x02) {
        setError(error, QStringLiteral("formato dBase II não suportado"));
        return false;
    }
    if (h.headerLength < 33 || h.recordLength < 1) {
        setError(error,
            QStringLiteral("cabeçalho inválido (tamanhos %1/%2)")
                .arg(h.headerLength)
                .arg(h.recordLength));
        return false;
    }
    if (bytes.size() < h.headerLength) {
        setError(error,
            QStringLiteral("cabeçalho truncado (%1 de %2 bytes)")
                .arg(bytes.size())
                .arg(h.headerLength));
        return false;
    }
    int offset = 1;
    for (int at = 32; at + 32 <= h.headerLength && bytes.at(at) != kTerminator; at += 32) {
        DbfField f;
        int n = 0;
        while (n < 11 && bytes.at(at + n) != '\0')
            ++n;
        f.name = QString::fromLatin1(bytes.constData() + at, n).trimmed().toUpper();
        f.type = bytes.at(at + 11);
        f.length = quint8(bytes.at(at + 16));
        f.decimals = quint8(bytes.at(at + 17));
        if (f.type == 'C' && f.decimals > 0) { // Clipper/FoxPro: long character columns
            f.length += f.decimals * 256;
            f.decimals = 0;
        }
        f.offset = offset;
        offset += f.length;
        h.fields << f;
    }
    if (h.fields.isEmpty()) {
        setError(error, QStringLiteral("tabela sem campos"));
        return false;
    }
    if (offset > h.recordLength) {
        setError(error,
            QStringLiteral("campos (%1 bytes) maiores que o registro (%2 bytes)")
                .arg(offset)
                .arg(h.recordLength));
        return false;
    }
    out = h;
    return true;
}

QByteArray DbfHeader::dateBytes(const QDate &date)
{
    QByteArray b(3, '\0');
    if (date.isValid()) {
        b[0] = char(qBound(0, date.year() - 1900, 255));
        b[1] = char(date.month());
        b[2] = char(date.day());
    }
    return b;
}

QByteArray DbfHeader::dateAndCount(const QDate &date, quint32 count)
{
    QByteArray b = dateBytes(date);
    b.append(4, '\0');
    put32(b, 3, count);
    return b;
}

QByteArray DbfHeader::serialize() const
{
    QByteArray b(headerLength, '\0');
    b[0] = char(version);
    b.replace(kDateOffset, 7, dateAndCount(lastUpdate, recordCount));
    put16(b, 8, headerLength);
    put16(b, 10, recordLength);
    b[29] = char(languageDriver);
    int at = 32;
    for (const DbfField &f : fields) {
        const QByteArray name = f.name.toLatin1().left(10);
        b.replace(at, name.size(), name);
        b[at + 11] = f.type;
        b[at + 16] = char(f.length & 0xFF);
        b[at + 17] = char(f.decimals);
        at += 32;
    }
    b[at] = kTerminator;
    return b;
}

int DbfHeader::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace zx
