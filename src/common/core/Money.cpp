#include "common/core/Money.h"

#include <QStringList>

namespace zx {

namespace {
int64_t divRound(int64_t num, int64_t den) // half away from zero
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const int64_t q = num / den;
    const int64_t r = num % den;
    if (2 * (r < 0 ? -r : r) >= den)
        return q + (num < 0 ? -1 : 1);
    return q;
}

int64_t pow10(int n)
{
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}
} // namespace

std::optional<Money> Money::parse(const QString &input)
{
    QString t = input.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t = t.mid(1).trimmed();
    } else if (t.startsWith(QLatin1Char('+'))) {
        t = t.mid(1).trimmed();
    }
    if (t.startsWith(QLatin1String("R$")))
        t = t.mid(2).trimmed();
    if (t.isEmpty())
        return std::nullopt;

    // Decide the decimal separator: a comma always is; without one, a point
    // followed by other than exactly three digits is (1234.56), otherwise points
    // group thousands (1.234).
    QString intPart, fracPart;
    const int comma = t.lastIndexOf(QLatin1Char(','));
    if (comma >= 0) {
        intPart = t.left(comma);
        fracPart = t.mid(comma + 1);
        intPart.remove(QLatin1Char('.'));
    } else {
        const int point = t.lastIndexOf(QLatin1Char('.'));
        if (point >= 0 && (t.count(QLatin1Char('.')) == 1) && (t.size() - point - 1) != 3) {
            intPart = t.left(point);
            fracPart = t.mid(point + 1);
        } else {
            intPart = t;
            intPart.remove(QLatin1Char('.'));
        }
    }
    if (intPart.isEmpty() && fracPart.isEmpty())
        return std::nullopt;
    for (QChar c : intPart)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    for (QChar c : fracPart)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    if (intPart.size() > 14)
        return std::nullopt;
    int64_t units = intPart.isEmpty() ? 0 : intPart.toLongLong();
    int64_t frac = 0;
    if (!fracPart.isEmpty()) {
        if (fracPart.size() > 4) {
            const int64_t head = fracPart.left(4).toLongLong();
            const bool up = fracPart.at(4).unicode() >= '5';
            frac = head + (up ? 1 : 0);
        } else {
            frac = fracPart.toLongLong() * pow10(4 - int(fracPart.size()));
        }
    }
    int64_t v = units * kScale + frac;
    return Money(negative ? -v : v);
}

int64_t Money::cents() const { return divRound(m_v, 100); }

Money Money::rounded(int decimals) const
{
    const int64_t unit = pow10(4 - decimals);
    return Money(divRound(m_v, unit) * unit);
}

QString Money::format(int decimals, bool thousands) const
{
    decimals = qBound(0, decimals, 4);
    const int64_t unit = pow10(4 - decimals);
    int64_t v = divRound(m_v, unit);
    const bool neg = v < 0;
    if (neg)
        v = -v;
    const int64_t scale = pow10(decimals);
    const int64_t whole = v / scale;
    const int64_t frac = v % scale;
    QString w = QString::number(whole);
    if (thousands)
        for (int i = int(w.size()) - 3; i > 0; i -= 3)
            w.insert(i, QLatin1Char('.'));
    QString out = neg ? QStringLiteral("-") + w : w;
    if (decimals > 0)
        out += QLatin1Char(',') + QString::number(frac).rightJustified(decimals, QLatin1Char('0'));
    return out;
}

QString Money::formatPoint(int decimals) const
{
    QString s = format(decimals, false);
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    return s;
}

Money Money::mulRate(int64_t rateTenThousandths) const
{
    return Money(divRound(m_v * rateTenThousandths, kScale));
}

Money Money::divided(int64_t n) const { return Money(divRound(m_v, n)); }

} // namespace zx
