#pragma once
// Compounding or discounting an amount over a period at a monthly rate, in fixed
// point: every intermediate result is rounded to four decimals, the result to two.
#include "common/core/Money.h"

#include <QDate>

namespace zx::funcao {

enum class JurosModo { Desconto = 0, Juros = 1 };

// Whole months from the start date (each monthly date one calendar month after the
// previous one) at the monthly rate, then the remaining days at rate / 30 per day.
// Discount mode turns a rate r into -r * 100 / (r + 100): the value at the start
// date of an amount due at the end date. rate is in percent (3% = Money 3,0000).
Money Juros(JurosModo modo, const QDate &fim, const QDate &inicio, Money rate, Money amount);

} // namespace zx::funcao
