#pragma once
// Plain text helpers of the utility component: digits, padding, accents, columns.
// No window needed, so the server and zxtool use them as they are.
#include <QString>

namespace zx::funcao {

// The digits of the text, in order.
QString SoNumero(const QString &text);
// The digits, commas and minus signs of the text (a program-format amount stripped
// of its thousands points), ready for Money::parse.
QString FmtNr(const QString &text);
// Pads the text with fill up to length: direction "E" pads on the left, anything
// else on the right. A text already as long is returned whole, never cut.
QString inserCarac(const QString &direction, QChar fill, const QString &text, int length);
QString Cria_Zeros(const QString &direction, const QString &text, int length);
// The trimmed text without its leading zeros ("000" gives "").
QString RemZerEsq(const QString &text);
QString RemoveAcento(const QString &text);
// Drops & § @ ª º # $ ¨ * ´ ^ ~ ` from free text before it travels.
QString RemoveCarcEsp(const QString &text);
// Trims, then replaces pattern by replacement until no pattern is left. A replacement
// that contains the pattern (or an empty pattern) gets a single pass, not a hang.
QString RemovEspDup(const QString &text, const QString &pattern, const QString &replacement);
// Accents removed, first character upper case, the rest lower case.
QString primMaiusc(const QString &text);
// Cut to width, then 0 left-aligned, 1 right-aligned, 2 centred (odd blank on the
// right); any other alignment gives "".
QString AlinhCampo(const QString &text, int alignment, int width);
// Each Windows-1252 code c becomes (key - c - 1) mod 256; applying it twice with the
// same key gives the text back.
QString Encriptografar(const QString &text, QChar key);
// "1.2.0.15" -> "01.02.00.15": four parts, two digits each, missing parts zero.
QString FmtVersao(const QString &version);

} // namespace zx::funcao
