#pragma once
// One row of a parsed record list, and the temporary table of such rows.
#include <QList>
#include <QString>
#include <QStringList>

namespace zx::protocol {

// Two parallel arrays: campos[i] names valores[i]. Every row of one table shares the
// field names of the reply's first row (the list itself is implicitly shared).
struct TRegist {
    QStringList campos;
    QStringList valores;

    qsizetype size() const { return campos.size(); }
    bool operator==(const TRegist &) const = default;
};

// The temporary table: the rows of one reply, in document order. It is a plain value;
// whoever parsed it owns it, and limpTBlTemp empties it.
using TblTemp = QList<TRegist>;

// Value of the first field named exactly (case-sensitive) `name`; empty when absent.
QString vlrRegByName(const TRegist &row, const QString &name);

// Releases every row: the table is left empty.
void limpTBlTemp(TblTemp &table);

} // namespace zx::protocol
