#pragma once
// Payload packing: record lists and identities travel as zlib streams (RFC 1950,
// level 9). A reply is untrusted: inflating is bounded and a truncated, corrupt or
// over-long stream is an error, never a partial text.
#include <QByteArray>
#include <QString>
#include <optional>

namespace zx::protocol {

inline constexpr qsizetype kDefaultInflateLimit = 64 * 1024 * 1024;

// The process-wide bound of inflated size used when a call gives none (thread-safe).
qsizetype inflateLimit();
void setInflateLimit(qsizetype bytes);

// Byte level.
QByteArray zlibDeflate(const QByteArray &bytes);
// Exactly one complete zlib stream: no truncation, no trailing bytes, no more than
// `limit` inflated bytes (limit < 0: the process-wide bound).
std::optional<QByteArray> zlibInflate(
    const QByteArray &stream, QString *error = nullptr, qsizetype limit = -1);

// Text level: the text's Windows-1252 bytes packed / the inflated bytes as Windows-1252
// text (one character per byte).
QByteArray getZip(const QString &text);
std::optional<QString> getUnzip(
    const QByteArray &packed, QString *error = nullptr, qsizetype limit = -1);

// The pair of the payroll-code operation. Its packing component is not available to
// this build; the server agrees to read it as the zlib form, so the pair routes there.
QByteArray getZip2(const QString &text);
std::optional<QString> getUnzip2(
    const QByteArray &packed, QString *error = nullptr, qsizetype limit = -1);

// MD5 of the text's Windows-1252 bytes: 32 upper-case hexadecimal digits.
QString getMD5(const QString &text);

// One byte per character: byte i = character i minus "0" (a digit text gives 0..9).
QByteArray StrToByte(const QString &digits);

} // namespace zx::protocol
