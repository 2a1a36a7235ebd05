#pragma once
// The printer port of the station: key PORTA of section SISTEMA in kv.ini at the
// drive root, "LPT1" by default and written back when missing or empty.
#include <QString>

namespace zx {

class PrinterPortSetting {
public:
    static QString read();
};

} // namespace zx
