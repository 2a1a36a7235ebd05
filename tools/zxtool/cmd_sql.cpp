// zxtool sql: a query run on the server the way the screens run theirs (getDSXML),
// printed as FIELD=value lines.
#include "Command.h"
#include "RowPrinter.h"

#include "service/ServiceSettings.h"
#include "service/SoapTransport.h"
#include "service/Twc.h"
#include "service/protocol/RecordList.h"

namespace {

const char *kUsage = "sql [--base URL] [--timeout S] \"select ...\"";

int run(const QStringList &argsIn, zxtool::Io &io)
{
    QStringList args = argsIn;
    while (args.size() > 1 && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--base")) {
            zx::ServiceSettings::setBaseOverride(args.takeFirst());
        } else if (opt == QLatin1String("--timeout")) {
            const int s = args.takeFirst().toInt();
            if (s > 0)
                zx::SoapTransport::setDefaultTimeouts({ s * 1000, s * 1000, s * 1000 });
        } else {
            args.clear();
        }
    }
    if (args.size() != 1) {
        io.err << "usage: zxtool " << kUsage << "\n";
        return 2;
    }
    zx::Twc wc;
    io.err << "POST " << zx::ServiceSettings::endpoint().url(QStringLiteral("kv3")) << "\n";
    const QString reply = wc.getDSXML(wc.getIDWeb(), args.first(), false);
    if (wc.ultimaFalha()) {
        io.err << "zxtool sql: " << reply << "\n";
        return 1;
    }
    if (zx::Twc::contemErro(reply)) {
        io.err << "zxtool sql: " << reply << "\n";
        return 1;
    }
    if (reply.trimmed().isEmpty()) {
        io.err << "0 row(s)\n";
        return 0;
    }
    zx::protocol::TblTemp table;
    QString why;
    const auto fields = zx::protocol::setTblTempXMLSt(reply, table, &why);
    if (!fields) {
        io.err << "zxtool sql: reply is not a record list: " << why << "\n" << reply << "\n";
        return 1;
    }
    zxtool::printRows(table, *fields, io, true);
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("sql"), QString::fromLatin1(kUsage),
    QStringLiteral("run a query on the server (kv3 getDSXML2, today's web "
                   "identifier) and print each row as FIELD=value lines"),
    run });

} // namespace
