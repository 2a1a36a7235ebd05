// zxtool recordlist: parses a record-list reply and prints its rows as FIELD=value lines.
#include "Command.h"

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
        // Replies may carry a raw "&": the "e_e" convention protects it, values restored.
        const auto text = zx::protocol::decodeReplyBytes(data, &error);
        if (text)
            fields = zx::protocol::setTblTempXMLSt(
                zx::protocol::escapeAmpersands(*text), table, &error);
        for (auto &row : table) {
            for (QString &v : row.valores)
                v = zx::protocol::restoreAmpersands(v);
        }
    } else {
        fields = zx::protocol::setTblTempXMLSt(data, table, &error);
    }
    if (!fields) {
        io.err << "zxtool recordlist: " << error << "\n";
        if (!escape && data.contains('&'))
            io.err << "(a raw \"&\" in a value needs --amp)\n";
        return 1;
    }
    for (qsizetype r = 0; r < table.size(); ++r) {
        if (r > 0)
            io.out << "\n";
        const auto &row = table.at(r);
        for (qsizetype i = 0; i < row.campos.size(); ++i)
            io.out << row.campos.at(i) << "=" << row.valores.value(i) << "\n";
    }
    io.err << table.size() << " row(s), " << *fields << " field(s)\n";
    return 0;
}

zxtool::Registrar reg(
    { QStringLiteral("recordlist"), QStringLiteral("recordlist [--packed|--base64] [--amp]"),
        QStringLiteral("parse a record-list reply on stdin; print each row as "
                       "FIELD=value lines, rows apart by a blank line"),
        run });

} // namespace
