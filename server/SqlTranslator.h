#pragma once
// Turns the SQL text a station sends into one safe SQLite statement.
//
// - Every ENCRIP[value] becomes a bound parameter, never pasted text. Its value is
//   converted to the stored form of the column it meets (an amount "1.234,56" to cents,
//   a date "dd/mm/yyyy" to yyyy-MM-dd); quoted literals and bare numbers that meet an
//   amount or date column are converted and bound the same way.
// - Only one select, insert or update; only the network's tables; no comments, no
//   parameters of the caller's own, only plain functions.
// - Dialect: table aliases in update are dropped; a bare number compared with a text
//   column compares numerically (as the station's SQL expects); "limit o, n" is
//   SQLite's own form already.
// - For a select, the kind of every result column is worked out (through aliases and
//   "X.*"), so that amounts and dates go back in clear.
#include "ServerSchema.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace zx::server {

struct SqlStatement {
    enum class Verb { Select, Insert, Update };
    Verb verb = Verb::Select;
    QString sql; // SQLite text with "?" placeholders
    QVariantList binds; // in placeholder order
    // Select only: the kind of each result column in order, nullopt where it is an
    // expression of no known kind. Empty when the select list could not be followed
    // (then the result names decide).
    QList<std::optional<ColKind>> outputKinds;
};

struct SqlTranslation {
    std::optional<SqlStatement> statement;
    QString error; // why the text was refused, in Portuguese for the station's user
    bool ok() const { return statement.has_value(); }
};

SqlTranslation translateSql(const QString &text);

// The stored form of a value for a column of that kind (what ENCRIP[value] binds).
QVariant storedValue(ColKind kind, const QString &value);
// The clear form of a stored value (what a reply carries).
QString clearValue(std::optional<ColKind> kind, const QVariant &stored);

} // namespace zx::server
