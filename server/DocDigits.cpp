#include "DocDigits.h"

namespace zx::server {

namespace {

int mod11Digit(const QString &digits, const int *weights)
{
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i)
        sum += digits.at(i).digitValue() * weights[i];
    const int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

} // namespace

QString digitsOf(const QString &s)
{
    QString d;
    for (QChar c : s)
        if (c.isDigit() && c.unicode() < 128)
            d += c;
    return d;
}

QString cpfWithDigits(const QString &base9)
{
    static const int w1[] = { 10, 9, 8, 7, 6, 5, 4, 3, 2 };
    static const int w2[] = { 11, 10, 9, 8, 7, 6, 5, 4, 3, 2 };
    QString s = base9;
    s += QString::number(mod11Digit(s, w1));
    s += QString::number(mod11Digit(s, w2));
    return s;
}

QString cnpjWithDigits(const QString &base12)
{
    static const int w1[] = { 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2 };
    static const int w2[] = { 6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2 };
    QString s = base12;
    s += QString::number(mod11Digit(s, w1));
    s += QString::number(mod11Digit(s, w2));
    return s;
}

} // namespace zx::server
