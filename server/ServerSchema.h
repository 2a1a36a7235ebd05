#pragma once
// The network's tables as data: every table and column the stations name, with the kind
// of value each column holds. The kind decides the stored form of a value (amounts in
// cents, dates as yyyy-MM-dd so that they order and compare) and how it is given back
// in clear (1.234,56 and dd/mm/yyyy).
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zx::server {

enum class ColKind {
    Text, // identifiers, codes, names: stored as written
    Int, // whole numbers and keys
    Money, // amounts: stored as whole cents, given back as "1.234,56"
    Date, // stored "yyyy-MM-dd", given back "dd/mm/yyyy"
    DateTime, // stored "yyyy-MM-dd hh:mm:ss", given back "dd/mm/yyyy hh:mm:ss"
};

struct ColumnDef {
    QString name;
    ColKind kind = ColKind::Text;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QStringList key;
    QList<QStringList> indexes;

    const ColumnDef *column(const QString &name) const; // case-insensitive
};

class ServerSchema {
public:
    static const QList<TableDef> &tables();
    // Case-insensitive; nullptr for a table that is not the network's.
    static const TableDef *table(const QString &name);
    // A column name has one kind wherever it appears (the names carry their table's
    // suffix; shared keys such as CNPJ_INSTI mean the same thing everywhere).
    static std::optional<ColKind> kindOf(const QString &column);
    // CREATE TABLE / CREATE INDEX statements, idempotent.
    static QStringList ddl();
};

} // namespace zx::server
