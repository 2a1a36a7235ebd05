#include "common/core/DateText.h"

#include <QStringList>

namespace zx::funcao {

int DiasNoMes(int year, int month)
{
    static const int days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && QDate::isLeapYear(year))
        return 29;
    return days[month - 1];
}

QDate parseData(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return QDate();
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = parts.at(i).trimmed();
        if (p.isEmpty() || p.size() > (i == 2 ? 4 : 2))
            return QDate();
        for (QChar c : p)
            if (c.unicode() < '0' || c.unicode() > '9')
                return QDate();
        values[i] = p.toInt();
    }
    int year = values[2];
    if (parts.at(2).trimmed().size() <= 2)
        year += year < 50 ? 2000 : 1900;
    return QDate(year, values[1], values[0]); // invalid when the day or month is out of range
}

} // namespace zx::funcao
