#pragma once
// The line format of a text-report line: "|first-last|pitch|style|" repeated,
// each segment printing the characters first..last (1-based, inclusive) of the line at
// a pitch (characters per inch) with a style (ESC/P print-mode bits).
#include <QList>
#include <QString>

namespace zx {

struct FormatSegment {
    int first = 1;
    int last = 1;
    int pitch = 10;
    int style = 0;
    bool operator==(const FormatSegment &) const = default;
};

// How a pitch looks on screen: font size in points, row height in pixels, bold.
struct ScreenPitch {
    int pointSize;
    int rowHeight;
    bool bold;
};

namespace textformat {

// The one format every receipt line carries: columns 1 to 60, 17 cpi, plain.
inline const QString kReceiptLine = QStringLiteral("|1-60|17|0|");

// Style bits the screen understands.
constexpr int kEmphasised = 8;
constexpr int kItalic = 64;
constexpr int kUnderlined = 128;

// Segments in order; malformed segments are skipped.
QList<FormatSegment> parse(const QString &fmt);
QString write(const QList<FormatSegment> &segments);

// ESC ! mode byte for a pitch (5 -> 32, 10 -> 0, 12 -> 1, 17 -> 4, 20 -> 5, else itself).
int modeByte(int pitch);
ScreenPitch screenPitch(int pitch);

} // namespace textformat
} // namespace zx
