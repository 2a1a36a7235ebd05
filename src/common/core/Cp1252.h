#pragma once
// Windows-1252: the single-byte encoding of every byte boundary of the station
// (record lists, dBase files, INI files, text files, the printer port).
#include <QByteArray>
#include <QString>

namespace zx::cp1252 {

// Every byte maps to one character (the five unassigned bytes map to the C1
// control of the same value, so that any byte string survives a round trip).
QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);
// Characters outside the code page become '?'.
QByteArray encode(const QString &text);
// True when every character of the text has a byte of its own in the code page.
bool representable(const QString &text);
char encodeChar(QChar c); // '?' when not representable
QChar decodeChar(unsigned char b);

} // namespace zx::cp1252
