// zxtool unpack: inflates a packed payload from stdin, with the client's safety bound.
#include "Command.h"

#include "service/protocol/Packing.h"

#include <QFile>
#include <cstdio>

namespace {

int unpack(const QStringList &args, zxtool::Io &io)
{
    bool base64 = false;
    qsizetype limit = zx::protocol::kDefaultInflateLimit;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = true;
        if (args.at(i) == QLatin1String("--base64"))
            base64 = true;
        else if (args.at(i) == QLatin1String("--limit") && i + 1 < args.size())
            limit = args.at(++i).toLongLong(&ok);
        else
            ok = false;
        if (!ok || limit < 0) {
            io.err << "usage: zxtool unpack [--base64] [--limit BYTES] < packed > text\n";
            return 2;
        }
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    QByteArray data = in.readAll();
    if (base64) {
        const auto decoded = QByteArray::fromBase64Encoding(
            data.simplified().replace(' ', ""), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok) {
            io.err << "zxtool unpack: input is not base64\n";
            return 1;
        }
        data = decoded.decoded;
    }
    QString error;
    const auto text = zx::protocol::zlibInflate(data, &error, limit);
    if (!text) {
        io.err << "zxtool unpack: " << error << "\n";
        return 1;
    }
    io.out.flush();
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 1;
    out.write(*text);
    out.flush();
    return 0;
}

zxtool::Registrar reg(
    { QStringLiteral("unpack"), QStringLiteral("unpack [--base64] [--limit BYTES]"),
        QStringLiteral("inflate a zlib payload from stdin to stdout (refuses "
                       "truncated, corrupt or over-long streams)"),
        unpack });

} // namespace
