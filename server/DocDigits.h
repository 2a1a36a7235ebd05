#pragma once
// CPF and CNPJ check digits (the public modulus-11 rules): the demo data computes its
// identifiers with them.
#include <QString>

namespace zx::server {

// The ASCII digits of `s` in order: a CPF or CNPJ as typed, with or without its marks.
QString digitsOf(const QString &s);

// The 11-digit CPF whose first nine digits are `base9` (digits only).
QString cpfWithDigits(const QString &base9);
// The 14-digit CNPJ whose first twelve digits are `base12`.
QString cnpjWithDigits(const QString &base12);

} // namespace zx::server
