#include "service/protocol/TRegist.h"

namespace zx::protocol {

QString vlrRegByName(const TRegist &row, const QString &name)
{
    const qsizetype i = row.campos.indexOf(name);
    return i < 0 ? QString() : row.valores.value(i);
}

void limpTBlTemp(TblTemp &table)
{
    table.clear();
    table.squeeze();
}

} // namespace zx::protocol
