#pragma once
// The value markers of the SQL sent to the server: every literal compared with or
// stored into a server column travels as ENCRIP[value], and the server turns the
// marker into the column's stored form. A value never contains "]": build every marker
// with encrip(), the one place that guarantees it.
#include <QString>

namespace zx {

// "ENCRIP[" + value + "]", with every "]" of the value removed so that no value can
// close its marker early and leak the rest of itself into the statement as SQL.
QString encrip(const QString &value);

} // namespace zx
