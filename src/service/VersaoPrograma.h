#pragma once
// Program versions compare as the whole numbers formed by their decimal digits alone,
// in order: "3.0.1.6" is 3016, so "3.0.10.0" (30100) is newer than "3.1.0.0" (3100).
// A version without digits counts as 0. Any number of digits compares exactly.
#include <QString>

namespace zx {

// Negative, zero or positive as a is older than, equal to or newer than b.
int comparaVersao(const QString &a, const QString &b);
inline bool versaoMaisNova(const QString &candidata, const QString &atual)
{
    return comparaVersao(candidata, atual) > 0;
}

} // namespace zx
