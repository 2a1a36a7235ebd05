#pragma once
// Card-holder passwords that are too easy to guess, and the substitute value that the
// password prompt hands over for a new password with a run of three: the digest of the
// first text of the list, which the weak-password check therefore always rejects.
// One list for both sides, so they cannot drift apart.
#include <QString>
#include <QStringList>

namespace zx {

// The fixed six-digit texts, first "123456": the digits 1 to 6 rising and falling,
// six equal digits, three rising pairs, three falling pairs.
QStringList senhasFracasFixas();
// MD5 (upper-case hexadecimal) of senhasFracasFixas().first().
QString senhaSubstitutaSequencia();
// True when the value equals a fixed weak text, the holder's birth date "ddMMyy"
// (when given), or the MD5 digest of one of those.
bool ehSenhaFraca(const QString &valor, const QString &nascimentoDdMMyy = QString());
// True when three consecutive characters are digits rising or falling by one
// ("345", "543") anywhere in the text.
bool temSequenciaDeTres(const QString &senha);

} // namespace zx
