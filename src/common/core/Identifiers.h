#pragma once
// Brazilian identifiers: CPF, CNPJ, PIS/PASEP, voter registration, state codes,
// postal codes and telephone numbers. Verdicts only: the utility component TFuncao
// turns them into the messages the screens show.
#include <QString>

namespace zx::funcao {

enum class CpfCnpjVerdict {
    ValidCpf,
    ValidCnpj,
    TooLong, // more than 14 digits
    InvalidCpf, // up to 11 digits (an empty text is an invalid CPF)
    InvalidCnpj, // 12 to 14 digits
};
// Up to 11 digits are a CPF, 12 to 14 a CNPJ (left-padded with zeros); numbers made
// of one repeated digit are refused although their check digits compute.
CpfCnpjVerdict checkCnpjCpf(const QString &text);
inline bool isValid(CpfCnpjVerdict v)
{
    return v == CpfCnpjVerdict::ValidCpf || v == CpfCnpjVerdict::ValidCnpj;
}

// NNN.NNN.NNN-NN or NN.NNN.NNN/NNNN-NN (more than 11 digits); no check is made.
QString FmtCNPJ_CPF(const QString &text);

enum class PisVerdict { Empty, Valid, Invalid };
// Exactly eleven digits with a matching check digit.
PisVerdict checkPis(const QString &text);

enum class TituloVerdict { Empty, Valid, Invalid };
// Voter registration number: up to 13 digits, state code in digits 10-11.
TituloVerdict checkTitulo(const QString &text);

// Empty (or blank) or one of the 28 state codes, any case.
bool estadoValido(const QString &text);

// NNNNN-NNN, digits padded on the right with zeros; a blank text gives "".
QString fmtCEP(const QString &text);
// Punctuated by digit count (7 to 11, leading zeros dropped); fewer than 7 gives "".
QString FmtFone(const QString &text);

enum class FoneVerdict { Empty, Incomplete, Ok };
// The number as a ten-character field (7 to 9 digits) or its digits (10 or more).
FoneVerdict compFone(const QString &text, QString *field);

} // namespace zx::funcao
