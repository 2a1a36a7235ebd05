#include "RowPrinter.h"

#include "service/protocol/TextRules.h"

namespace zxtool {

void printRows(const zx::protocol::TblTemp &table, int fields, Io &io, bool restoreAmp)
{
    for (qsizetype r = 0; r < table.size(); ++r) {
        if (r > 0)
            io.out << "\n";
        const auto &row = table.at(r);
        for (qsizetype i = 0; i < row.campos.size(); ++i) {
            const QString v = row.valores.value(i);
            io.out << row.campos.at(i) << "="
                   << (restoreAmp ? zx::protocol::restoreAmpersands(v) : v) << "\n";
        }
    }
    io.err << table.size() << " row(s), " << fields << " field(s)\n";
}

} // namespace zxtool
