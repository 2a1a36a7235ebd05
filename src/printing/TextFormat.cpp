#include "printing/TextFormat.h"

#include <QStringList>

namespace zx::textformat {

QList<FormatSegment> parse(const QString &fmt)
{
    // Segments are "a-b|pitch|style|": after splitting on "|" every three pieces
    // make one segment.
    QStringList parts = fmt.split(QLatin1Char('|'));
    if (!parts.isEmpty() && parts.first().trimmed().isEmpty())
        parts.removeFirst();
    QList<FormatSegment> out;
    for (qsizetype i = 0; i + 2 < parts.size(); i += 3) {
        const QString range = parts.at(i).trimmed();
        const qsizetype dash = range.indexOf(QLatin1Char('-'));
        if (dash <= 0)
            continue;
        bool okA = false, okB = false, okP = false, okS = false;
        FormatSegment s;
        s.first = range.left(dash).trimmed().toInt(&okA);
        s.last = range.mid(dash + 1).trimmed().toInt(&okB);
        s.pitch = parts.at(i + 1).trimmed().toInt(&okP);
        s.style = parts.at(i + 2).trimmed().toInt(&okS);
        if (okA && okB && okP && okS && s.first >= 1)
            out.append(s);
    }
    return out;
}

QString write(const QList<FormatSegment> &segments)
{
    QString out = QStringLiteral("|");
    for (const FormatSegment &s : segments)
        out += QStringLiteral("%1-%2|%3|%4|").arg(s.first).arg(s.last).arg(s.pitch).arg(s.style);
    return out;
}

int modeByte(int pitch)
{
    switch (pitch) {
    case 5:
        return 32;
    case 10:
        return 0;
    case 12:
        return 1;
    case 17:
        return 4;
    case 20:
        return 5;
    default:
        return pitch;
    }
}

ScreenPitch screenPitch(int pitch)
{
    switch (pitch) {
    case 10:
        return { 11, 20, false };
    case 17:
        return { 7, 12, false };
    case 20:
        return { 5, 12, false };
    default: // 5, 12 and anything else
        return { 24, 33, true };
    }
}

} // namespace zx::textformat
