// zxtool extenso: an amount in words as receipts and slips print it.
#include "Command.h"

#include "common/core/Extenso.h"

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    if (args.size() != 1) {
        io.err << "usage: zxtool extenso AMOUNT   (1234567.89 or 1.234.567,89)\n";
        return 2;
    }
    const std::optional<zx::Money> amount = zx::Money::parse(args.first());
    if (!amount) {
        io.err << "zxtool extenso: not an amount: " << args.first() << "\n";
        return 2;
    }
    const std::optional<QString> words = zx::funcao::extenso(*amount);
    if (!words) {
        io.err << "zxtool extenso: the amount must not exceed 999.999.999,99\n";
        return 1;
    }
    io.out << *words << "\n";
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("extenso"), QStringLiteral("extenso AMOUNT"),
    QStringLiteral("an amount in words (decimal comma or point)"), run });

} // namespace
