// zxtool pack / unpack: the zlib packing of record lists and identities, stdin to stdout.
#include "Command.h"

#include "service/protocol/Packing.h"

#include <QFile>
#include <cstdio>

namespace {

QByteArray readStdin()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void writeStdout(zxtool::Io &io, const QByteArray &bytes)
{
    io.out.flush();
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly)) {
        out.write(bytes);
        out.flush();
    }
}

int pack(const QStringList &args, zxtool::Io &io)
{
    bool base64 = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--base64")) {
            base64 = true;
        } else {
            io.err << "usage: zxtool pack [--base64] < text > packed\n";
            return 2;
        }
    }
    // The input is taken as the station's bytes (Windows-1252), packed as they are.
    const QByteArray packed = zx::protocol::zlibDeflate(readStdin());
    writeStdout(io, base64 ? packed.toBase64() + '\n' : packed);
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("pack"), QStringLiteral("pack [--base64]"),
    QStringLiteral("zlib-pack stdin (level 9) to stdout, optionally as "
                   "base64 as it travels in SOAP"),
    pack });

} // namespace
