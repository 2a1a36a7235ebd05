#include "common/core/Juros.h"

#include "common/core/DateText.h"

namespace zx::funcao {

namespace {
using Wide = __int128;

int64_t divRound(Wide num, Wide den) // half away from zero
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Wide q = num / den;
    const Wide r = num % den;
    if (2 * (r < 0 ? -r : r) >= den)
        q += num < 0 ? -1 : 1;
    return int64_t(q);
}

constexpr int64_t kScale = Money::kScale;

// -r * 100 / (r + 100), in ten-thousandths of a percent.
int64_t discountRate(int64_t r)
{
    if (r + 100 * kScale == 0)
        return 0; // a rate of -100% has no discount equivalent
    return divRound(Wide(-r) * 100 * kScale, Wide(r) + 100 * kScale);
}

// amount * (1 + ratePercent / 100), both in ten-thousandths, rounded to the scale.
Money applyRate(Money amount, int64_t ratePercent)
{
    const Wide factor = Wide(100) * kScale + ratePercent; // (100 + rate) in 1/10000 percent
    return Money::fromRaw(divRound(Wide(amount.raw()) * factor, Wide(100) * kScale));
}
} // namespace

Money Juros(JurosModo modo, const QDate &fim, const QDate &inicio, Money rate, Money amount)
{
    if (!fim.isValid() || !inicio.isValid())
        return amount.rounded(2);
    const int64_t r = rate.raw();
    const int64_t m = modo == JurosModo::Juros ? r : discountRate(r);

    Money v = amount;
    QDate monthly = inicio.addMonths(1);
    while (monthly <= fim) {
        v = applyRate(v, m);
        monthly = monthly.addMonths(1);
    }
    QDate anchor = monthly.addMonths(-1);
    if (anchor.day() < inicio.day()) {
        const int last = DiasNoMes(anchor.year(), anchor.month());
        anchor = QDate(anchor.year(), anchor.month(), qMin(inicio.day(), last));
    }
    const int64_t days = anchor.daysTo(fim);
    int64_t p = divRound(Wide(r) * days, 30);
    if (modo == JurosModo::Desconto)
        p = discountRate(p);
    v = applyRate(v, p);
    return v.rounded(2);
}

} // namespace zx::funcao
