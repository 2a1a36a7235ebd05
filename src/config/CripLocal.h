#pragma once
// Reversible scrambling of the settings and columns that are not kept in clear
// (IDSEG, IDMUNIC, PROXY_USER, PROXY_PASS, the CPF column of IDENVIAR).
//
// Every byte c becomes (K1 - 1 - c) mod 256, then every byte d of that becomes
// (K2 - 1 - d) mod 256; unscrambling runs the passes in the other order. The two
// passes together shift each byte by K2 - K1, so the keys are chosen to make that
// shift -7: every text byte (0x20 to 0xFF) lands on 0x19 to 0xF8, never on NUL,
// CR or LF, and a scrambled value always fits on one line of an INI file.
#include <QByteArray>
#include <QString>

namespace zx {

inline constexpr int kCripK1 = 200;
inline constexpr int kCripK2 = 193;

// On the Windows-1252 bytes of the text.
QString cripLocal(const QString &text);
QString decripLocal(const QString &text);

QByteArray cripLocalBytes(const QByteArray &bytes);
QByteArray decripLocalBytes(const QByteArray &bytes);

} // namespace zx
