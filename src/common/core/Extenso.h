#pragma once
// An amount of money in upper-case Portuguese words, without accents, for receipts
// and slips.
#include "common/core/Money.h"

#include <optional>

namespace zx::funcao {

// Largest amount that can be written (999.999.999,99).
inline constexpr Money kMaxExtenso = Money::fromCents(99999999999);

// "VALOR NEGATIVO" for a negative amount, "VALOR ZERADO" for zero (after rounding
// to cents), the words otherwise; nullopt above kMaxExtenso.
std::optional<QString> extenso(Money amount);

} // namespace zx::funcao
