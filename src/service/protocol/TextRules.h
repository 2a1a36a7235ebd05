#pragma once
// Text rules of record-list values: sanitising free text for requests, the ampersand
// conventions of replies, and the card number's display form.
#include "common/core/TextHelpers.h"

#include <QString>

namespace zx::protocol {

// The utility component's accent fold and special-character removal (Windows-1252:
// "&", "§", "@", "ª", "º", "#", "$", "¨", "*", "´", "^", "~", "`"), named here too so
// that record-list code finds every value rule in one place.
using zx::funcao::RemoveAcento;
using zx::funcao::RemoveCarcEsp;
inline QString foldAccents(const QString &text)
{
    return RemoveAcento(text);
}

// Free text made safe for a request value: accents folded, the characters above
// removed, trimmed, runs of spaces cut to one. "<" and ">" are not touched (callers
// that take them from users must keep them out).
QString AjustTextXML(const QString &text);

// The ampersand conventions of replies. A raw "&" is not well-formed XML, so before
// parsing it is either escaped to "e_e" (and restored by readers) or folded to "E".
inline constexpr char kAmpEscape[] = "e_e";
QString escapeAmpersands(const QString &reply); // "&" -> "e_e"
QString restoreAmpersands(const QString &value); // "e_e" -> "&"
QString foldAmpersands(const QString &reply); // "&" -> "E"

// Card number for display: digits only, left-padded with "0" to 10 digits (never cut),
// a space after every group of three: "1234" -> "000 000 123 4".
QString fmtCartao(const QString &typed);

} // namespace zx::protocol
