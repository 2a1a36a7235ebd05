#pragma once
// The file through which a calling point-of-sale program learns the result of the
// sale it asked for, and the sale amount it hands over as the first argument.
#include <QString>
#include <QStringList>

namespace zx::integration {

// Width every line of the integration file is padded to.
inline constexpr int kLineWidth = 48;

// Refused or abandoned sale.
inline const QString kNaoAutorizada = QStringLiteral("2 NAO AUTORIZADA");

// The sale value preselected by a first argument: when the argument reads as an
// amount above zero, its digits with "," before the last two ("1234" gives "12,34",
// "5" gives "0,05"); otherwise empty.
QString presetFromArgument(const QString &argument);

// The file's lines: the first line, then the memo lines, each padded on the right
// with blanks to 48 characters (longer lines whole).
QStringList fileLines(const QString &firstLine, const QStringList &memoLines);

// Creates or replaces the file (Windows-1252, CR LF), never leaving a half-written
// file for the caller to read. False when it could not be written.
bool write(const QString &path, const QStringList &lines);

} // namespace zx::integration
