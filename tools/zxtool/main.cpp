#include "Command.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QApplication>
#include <cstdio>

namespace zxtool {

static QList<Command> &registry()
{
    static QList<Command> list;
    return list;
}

Registrar::Registrar(Command c) { registry().append(std::move(c)); }

const QList<Command> &commands() { return registry(); }

} // namespace zxtool

static void printHelp(QTextStream &out)
{
    out << "zxtool - support companion of the Zentrix station client\n\n"
        << "Usage: zxtool COMMAND [ARGS...]\n\nCommands:\n";
    QList<zxtool::Command> cmds = zxtool::commands();
    std::sort(cmds.begin(), cmds.end(),
              [](const auto &a, const auto &b) { return a.usage < b.usage; });
    for (const auto &c : cmds)
        out << "  " << c.usage.leftJustified(44) << " " << c.summary << "\n";
    out << "\nStation folders: ZENTRIX_ROOT / ZENTRIX_HOME, or --root DIR / --home DIR.\n";
}

int main(int argc, char *argv[])
{
    // Some commands draw (reports, slips) and need a GUI application; offscreen
    // keeps the tool usable without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);

    zx::Platform::install(zx::Platform::real(args));
    // Drop the folder options once the paths have them.
    for (int i = 0; i + 1 < args.size();) {
        if (args.at(i) == QLatin1String("--root") || args.at(i) == QLatin1String("--home"))
            args.remove(i, 2);
        else
            ++i;
    }

    if (args.isEmpty() || args.first() == QLatin1String("--help")
        || args.first() == QLatin1String("-h") || args.first() == QLatin1String("help")) {
        printHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto &c : zxtool::commands()) {
        if (c.name == name) {
            zxtool::Io io{out, err};
            const int rc = c.run(args, io);
            out.flush();
            err.flush();
            return rc;
        }
    }
    err << "zxtool: unknown command '" << name << "' (see zxtool --help)\n";
    return 2;
}
