#pragma once
// Client identity: every request carries an identifier derived from the local date.
// The web identifier is the date "ddmmyyyy" as a number divided by kIdWebDivisor; the
// hashed identifier is its MD5. Client and server compute both the same way.
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace zx::protocol {

inline constexpr int kIdWebDivisor = 37;

// The web identifier of `today` ("05032024" -> 5032024 / 37 -> "136000").
QString getIDWeb(const QDate &today);
// MD5 of the web identifier, upper-case hexadecimal.
QString getIDWebMD5(const QDate &today);

// Which identity an operation carries, and in what form.
enum class IdentityForm {
    None, // no identity parameter
    WebIdPacked, // SQL operations: the caller's id text (the web identifier) as zlib bytes
    HashPacked, // byte-array operations: the hashed identifier as zlib bytes
    HashText, // plain-text operations: the hashed identifier as text
    WebIdText, // the legacy last-registration-number operation: the web identifier
    HashExternal, // the payroll-code operation: the hashed identifier through getZip2
};

// The identity argument of an operation of this form. `idText` is what the form names:
// the web identifier (or the SQL id text) for WebId forms, the hashed identifier for
// Hash forms. Gives a QByteArray for packed forms, a QString for text forms, and an
// invalid QVariant for None.
QVariant identityArgument(IdentityForm form, const QString &idText);
// The same, computed from the date.
QVariant identityArgument(IdentityForm form, const QDate &today);

// Server side: the id text inside a received identity argument (unpacked where packed).
std::optional<QString> identityText(
    IdentityForm form, const QVariant &argument, QString *error = nullptr);

// True when the received identity is the one of `today` in this form. For WebIdPacked
// only the part before "&&__" (credentials that some SQL requests append) is compared.
bool identityMatches(IdentityForm form, const QVariant &argument, const QDate &today);

} // namespace zx::protocol
