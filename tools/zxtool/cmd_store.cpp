// zxtool store init DIR: create or repair the local tables of a program folder.
#include "Command.h"

#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QDir>

namespace {

int runStore(const QStringList &args, zxtool::Io &io)
{
    if (args.size() != 2 || args.at(0) != QLatin1String("init")) {
        io.err << "usage: zxtool store init DIR\n";
        return 2;
    }
    const QString folder = QDir(args.at(1)).absolutePath();
    if (!QDir().mkpath(folder)) {
        io.err << "store: cannot create " << QDir::toNativeSeparators(folder) << "\n";
        return 1;
    }
    zx::TDM dm(folder, zx::Platform::hostInfo().firstIPv4());
    QStringList report;
    const bool ok = dm.criaTabelas(&report);
    io.out << "Data folder: " << QDir::toNativeSeparators(dm.pastaDados()) << "\n";
    for (const QString &line : report)
        io.out << "  " << line << "\n";
    if (!ok) {
        io.err << "store: " << dm.ultimoErro() << "\n";
        return 1;
    }
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("store"), QStringLiteral("store init DIR"),
    QStringLiteral("create or upgrade the local tables of program folder DIR"), runStore });

} // namespace
