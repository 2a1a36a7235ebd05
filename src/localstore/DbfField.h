#pragma once
#include <QString>

namespace zx {

// One column of a dBase table. Character and numeric columns are what the station
// writes; other types of foreign files are read as their raw text.
struct DbfField {
    // Wide enough for a signed 64-bit whole number (sign + 19 digits).
    static constexpr int kIntegerWidth = 20;
    static constexpr int kMaxCharacterWidth = 254;

    QString name; // up to 10 ASCII characters
    char type = 'C'; // 'C' character, 'N' numeric (others only when reading)
    int length = 0; // bytes on disk
    int decimals = 0; // numeric columns only
    int offset = 0; // position in the record, after the deletion flag

    static DbfField character(const QString &name, int length)
    {
        return DbfField { name, 'C', length, 0, 0 };
    }
    static DbfField integer(const QString &name, int length = kIntegerWidth)
    {
        return DbfField { name, 'N', length, 0, 0 };
    }
    bool isNumeric() const { return type == 'N' || type == 'F'; }
};

} // namespace zx
