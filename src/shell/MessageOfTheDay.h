#pragma once
// The message of the day shown when the main window first appears: one line drawn at
// random from one of the two message files shipped beside the program.
#include <QColor>
#include <QString>
#include <functional>
#include <optional>

namespace zx {

struct DailyMessage {
    QString text; // the line after its first blank
    QString reference; // heading name, blank, chapter, ":" and the line's number
};

namespace motd {

// Lines drawn from: 1 to kLines[k] for file k.
inline constexpr int kLinesFile1 = 24073;
inline constexpr int kLinesFile2 = 8219;

// "conf" + k + ".dat" in the folder.
QString filePath(const QString &folder, int k);

// The message at a 1-based line number: headings ("»Name [12]") set the reference and
// are skipped to the line that follows; past the end the last line stands. Empty
// optional when the file cannot be read or holds no message line.
std::optional<DailyMessage> read(const QString &path, int lineNumber);

// The three lines the message window shows.
QStringList windowLines(const DailyMessage &m);

} // namespace motd

// Random whole number from lo to hi inclusive.
using RandomPick = std::function<int(int lo, int hi)>;

// Draws a file and a line, then shows the message window in the given colour until a
// key or click closes it; a missing file is reported once.
void exibMensBibl(const QString &folder, const QColor &colour, const RandomPick &pick = {});

} // namespace zx
