// zxtool cpf: checks and formats CPF and CNPJ numbers.
#include "Command.h"

#include "common/core/Identifiers.h"

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    using zx::funcao::CpfCnpjVerdict;
    if (args.isEmpty()) {
        io.err << "usage: zxtool cpf VALUE...\n";
        return 2;
    }
    bool allValid = true;
    for (const QString &value : args) {
        const CpfCnpjVerdict v = zx::funcao::checkCnpjCpf(value);
        QString kind, verdict;
        switch (v) {
        case CpfCnpjVerdict::ValidCpf:
            kind = "CPF";
            verdict = "valid";
            break;
        case CpfCnpjVerdict::ValidCnpj:
            kind = "CNPJ";
            verdict = "valid";
            break;
        case CpfCnpjVerdict::InvalidCpf:
            kind = "CPF";
            verdict = "invalid";
            break;
        case CpfCnpjVerdict::InvalidCnpj:
            kind = "CNPJ";
            verdict = "invalid";
            break;
        case CpfCnpjVerdict::TooLong:
            kind = "-";
            verdict = "invalid (more than 14 digits)";
            break;
        }
        allValid = allValid && zx::funcao::isValid(v);
        const QString formatted
            = v == CpfCnpjVerdict::TooLong ? QStringLiteral("-") : zx::funcao::FmtCNPJ_CPF(value);
        io.out << value << "\t" << kind << "\t" << verdict << "\t" << formatted << "\n";
    }
    return allValid ? 0 : 1;
}

zxtool::Registrar reg({ QStringLiteral("cpf"), QStringLiteral("cpf VALUE..."),
    QStringLiteral("check CPF/CNPJ: kind, valid/invalid, formatted (exit 1: invalid)"), run });

} // namespace
