#pragma once
// Dates as the station writes them: dd/mm/yyyy.
#include <QDate>
#include <QString>

namespace zx::funcao {

// Days of the month (1 to 12) in the Gregorian calendar; 0 for a month out of range.
int DiasNoMes(int year, int month);

// Reads a dd/mm/yyyy text the way the station's short date conversion does: day,
// month and year separated by "/", blanks around the parts allowed, one- or two-digit
// days and months, a two-digit year in 1950..2049. Anything else gives an invalid date.
QDate parseData(const QString &text);

} // namespace zx::funcao
