#include "service/ProgramFormats.h"

#include <QDate>

namespace zx {

QLocale programLocale()
{
    // Brazilian Portuguese gives exactly the program's separators and short date
    // "dd/MM/yyyy"; the currency symbol is never used by the program's conversions.
    QLocale l(QLocale::Portuguese, QLocale::Brazil);
    l.setNumberOptions(QLocale::DefaultNumberOptions);
    return l;
}

void setVarGlobApp()
{
    QLocale::setDefault(programLocale());
}

bool programFormatsActive()
{
    const QLocale l;
    return l.decimalPoint() == QLatin1String(",") && l.groupSeparator() == QLatin1String(".")
        && l.dateFormat(QLocale::ShortFormat) == QLatin1String("dd/MM/yyyy")
        && l.toString(QDate(2024, 1, 5), QLocale::ShortFormat) == QLatin1String("05/01/2024");
}

} // namespace zx
