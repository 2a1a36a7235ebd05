// zxtool recordlist: parses a record-list reply and prints its rows as FIELD=value lines.
#include "Command.h"
#include "RowPrinter.h"

#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/TextRules.h"

#include <QFile>
#include <cstdio>

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    bool packed = false, base64 = false, escape = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--packed")) {
            packed = true;
        } else if (a == QLatin1String("--base64")) {
            packed = base64 = true;
        } else if (a == QLatin1String("--amp")) {
            escape = true;
        } else {
            io.err << "usage: zxtool recordlist [--packed|--base64] [--amp] < reply\n";
            return 2;
        }
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    QByteArray data = in.readAll();
    QString error;
    if (base64) {
        const auto decoded = QByteArray::fromBase64Encoding(
            data.simplified().replace(' ', ""), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok) {
            io.err << "zxtool recordlist: input is not base64\n";
            return 1;
        }
        data = decoded.decoded;
    }
    if (packed) {
        const auto inflated = zx::protocol::zlibInflate(data, &error);
        if (!inflated) {
            io.err << "zxtool recordlist: " << error << "\n";
            return 1;
        }
        data = *inflated;
    }

    zx::protocol::TblTemp table;
    std::optional<int> fields;
    if (escape) {
        // Replies may carry a raw "&": the "e_e" convention protects it; printing
        // restores it in the values.
        const auto text = zx::protocol::decodeReplyBytes(data, &error);
        if (text)
            fields = zx::protocol::setTblTempXMLSt(
                zx::protocol::escapeAmpersands(*text), table, &error);
    } else {
        fields = zx::protocol::setTblTempXMLSt(data, table, &error);
    }
    if (!fields) {
        io.err << "zxtool recordlist: " << error << "\n";
        if (!escape && data.contains('&'))
            io.err << "(a raw \"&\" in a value needs --amp)\n";
        return 1;
    }
    zxtool::printRows(table, *fields, io, escape);
    return 0;
}

zxtool::Registrar reg(
    { QStringLiteral("recordlist"), QStringLiteral("recordlist [--packed|--base64] [--amp]"),
        QStringLiteral("parse a record-list reply on stdin; print each row as "
                       "FIELD=value lines, rows apart by a blank line"),
        run });

} // namespace
