#include "common/core/Cp1252.h"

#include <QHash>

namespace zx::cp1252 {

namespace {
// 0x80..0x9F; the unassigned 81, 8D, 8F, 90, 9D keep their C1 value.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QHash<char16_t, char> &reverseHigh()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(kHigh[i], char(0x80 + i));
        return t;
    }();
    return table;
}
} // namespace

QChar decodeChar(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return QChar(kHigh[b - 0x80]);
    return QChar(char16_t(b));
}

QString decode(const char *data, qsizetype size)
{
    QString out;
    out.resize(size);
    QChar *d = out.data();
    for (qsizetype i = 0; i < size; ++i)
        d[i] = decodeChar(static_cast<unsigned char>(data[i]));
    return out;
}

QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

char encodeChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    const auto it = reverseHigh().constFind(u);
    return it == reverseHigh().constEnd() ? '?' : it.value();
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.resize(text.size());
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = encodeChar(text.at(i));
    return out;
}

bool representable(const QString &text)
{
    for (QChar c : text)
        if (encodeChar(c) == '?' && c != QLatin1Char('?'))
            return false;
    return true;
}

} // namespace zx::cp1252
