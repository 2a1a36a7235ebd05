#pragma once
// The program's number and date conventions: decimal comma, thousands point, short
// date "dd/mm/yyyy" with "/" as separator. Set at start-up and again after every
// server call, whatever happened in it.
#include <QLocale>

namespace zx {

// The locale that carries the program formats.
QLocale programLocale();
// Makes the program formats the default of every conversion that follows.
void setVarGlobApp();
// True when the default conversions are the program's (tests check it after calls).
bool programFormatsActive();

// Restores the program formats when it goes out of scope, also when an exception
// leaves the scope.
class ProgramFormatsGuard {
public:
    ProgramFormatsGuard() = default;
    ~ProgramFormatsGuard() { setVarGlobApp(); }
    ProgramFormatsGuard(const ProgramFormatsGuard &) = delete;
    ProgramFormatsGuard &operator=(const ProgramFormatsGuard &) = delete;
};

} // namespace zx
