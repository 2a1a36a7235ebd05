// zxtool juros: interest (mode 1) or discount (mode 0) over a period at a monthly rate.
#include "Command.h"

#include "common/core/DateText.h"
#include "common/core/Juros.h"

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    const char *usage = "usage: zxtool juros MODE START END RATE AMOUNT\n"
                        "  MODE 1 interest, 0 discount; dates dd/mm/yyyy; RATE monthly percent\n";
    if (args.size() != 5) {
        io.err << usage;
        return 2;
    }
    const QString mode = args.at(0).trimmed();
    const QDate start = zx::funcao::parseData(args.at(1));
    const QDate end = zx::funcao::parseData(args.at(2));
    const std::optional<zx::Money> rate = zx::Money::parse(args.at(3));
    const std::optional<zx::Money> amount = zx::Money::parse(args.at(4));
    QString problem;
    if (mode != QLatin1String("0") && mode != QLatin1String("1"))
        problem = QStringLiteral("MODE must be 0 (discount) or 1 (interest)");
    else if (!start.isValid())
        problem = QStringLiteral("not a date: ") + args.at(1);
    else if (!end.isValid())
        problem = QStringLiteral("not a date: ") + args.at(2);
    else if (!rate)
        problem = QStringLiteral("not a rate: ") + args.at(3);
    else if (!amount)
        problem = QStringLiteral("not an amount: ") + args.at(4);
    if (!problem.isEmpty()) {
        io.err << "zxtool juros: " << problem << "\n" << usage;
        return 2;
    }
    const auto m = mode == QLatin1String("1") ? zx::funcao::JurosModo::Juros
                                              : zx::funcao::JurosModo::Desconto;
    io.out << zx::funcao::Juros(m, end, start, *rate, *amount).format(2) << "\n";
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("juros"), QStringLiteral("juros MODE START END RATE AMOUNT"),
    QStringLiteral("amount at END with monthly interest (1) or discount (0)"), run });

} // namespace
