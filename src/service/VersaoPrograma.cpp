#include "service/VersaoPrograma.h"

namespace zx {

namespace {
QString significantDigits(const QString &v)
{
    QString d;
    for (QChar c : v)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            d += c;
    qsizetype zeros = 0;
    while (zeros < d.size() && d.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return d.mid(zeros);
}
} // namespace

int comparaVersao(const QString &a, const QString &b)
{
    const QString da = significantDigits(a);
    const QString db = significantDigits(b);
    if (da.size() != db.size())
        return da.size() < db.size() ? -1 : 1;
    return QString::compare(da, db);
}

} // namespace zx
