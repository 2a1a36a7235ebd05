#pragma once
// How the record-list commands print a table: FIELD=value lines, rows apart by a blank
// line, and the row and field count on the error stream. restoreAmp: values were read
// under the "e_e" convention that protects a raw "&", and are printed with it restored.
#include "Command.h"

#include "service/protocol/TRegist.h"

namespace zxtool {

void printRows(const zx::protocol::TblTemp &table, int fields, Io &io, bool restoreAmp = false);

} // namespace zxtool
