#pragma once
// The fixed part of a dBase III/IV file: the 32-byte table header, one 32-byte
// descriptor per column and the 0x0D terminator.
#include "localstore/DbfField.h"

#include <QByteArray>
#include <QDate>
#include <QList>

namespace zx {

struct DbfHeader {
    static constexpr quint8 kVersionDbase4 = 0x03; // dBase III/IV table without memo
    static constexpr quint8 kLanguageAnsi1252 = 0x03; // language driver: Windows ANSI
    static constexpr char kTerminator = 0x0D;
    static constexpr char kEndOfFile = 0x1A;
    // Offsets inside the 32-byte header.
    static constexpr int kDateOffset = 1; // YY (since 1900), MM, DD
    static constexpr int kCountOffset = 4; // uint32, little endian

    quint8 version = kVersionDbase4;
    QDate lastUpdate;
    quint32 recordCount = 0;
    quint16 headerLength = 0;
    quint16 recordLength = 0;
    quint8 languageDriver = kLanguageAnsi1252;
    QList<DbfField> fields; // offsets filled in

    // A new table's header: lengths and offsets computed from the fields. False
    // (with a reason) when a name or width cannot be stored.
    static bool build(
        const QList<DbfField> &fields, const QDate &date, DbfHeader &out, QString *error);

    // Reads the header area of a file (at least headerLength bytes; the length is
    // in bytes 8-9 of the first 32).
    static bool parse(const QByteArray &bytes, DbfHeader &out, QString *error);

    // The whole header area (headerLength bytes), terminator included.
    QByteArray serialize() const;
    // Bytes 1..7: date of last update and record count, as written after each change.
    static QByteArray dateAndCount(const QDate &date, quint32 count);
    static QByteArray dateBytes(const QDate &date);

    int fieldIndex(const QString &name) const; // case-insensitive; -1 when missing
};

} // namespace zx
