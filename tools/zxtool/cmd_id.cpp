// zxtool id: the client identity of a day, as client and server compute it.
#include "Command.h"

#include "platform/Platform.h"
#include "service/protocol/ClientIdentity.h"

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    QDate day = zx::Platform::clock().today();
    if (args.size() == 2 && args.at(0) == QLatin1String("--date")) {
        day = QDate::fromString(args.at(1), QStringLiteral("dd/MM/yyyy"));
        if (!day.isValid()) {
            io.err << "zxtool id: not a date dd/mm/yyyy: " << args.at(1) << "\n";
            return 2;
        }
    } else if (!args.isEmpty()) {
        io.err << "usage: zxtool id [--date dd/mm/yyyy]\n";
        return 2;
    }
    io.out << "date\t" << day.toString(QStringLiteral("dd/MM/yyyy")) << "\n"
           << "divisor\t" << zx::protocol::kIdWebDivisor << "\n"
           << "web\t" << zx::protocol::getIDWeb(day) << "\n"
           << "hashed\t" << zx::protocol::getIDWebMD5(day) << "\n";
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("id"), QStringLiteral("id [--date dd/mm/yyyy]"),
    QStringLiteral("web identifier and hashed identifier of a day (today "
                   "by default)"),
    run });

} // namespace
