#pragma once
// zxtool subcommands register themselves here; each lives in its own cmd_*.cpp.
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace zxtool {

struct Io {
    QTextStream &out;
    QTextStream &err;
};

using Handler = std::function<int(const QStringList &args, Io &io)>;

struct Command {
    QString name;     // first word on the command line ("cpf", "store", ...)
    QString usage;    // one line: "cpf VALUE..."
    QString summary;  // what it does, for --help
    Handler run;
};

// Registration happens at static-initialisation time.
struct Registrar {
    explicit Registrar(Command c);
};

const QList<Command> &commands();

} // namespace zxtool
