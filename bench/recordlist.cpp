// Parsing cost of a large packed reply: unzip + parse into the temporary table, against
// a bare QXmlStreamReader pass over the same text. Prints one line.
#include "service/protocol/RecordList.h"
#include "service/protocol/Packing.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdio>

using namespace zx::protocol;

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 5;

QString buildReply()
{
    const QStringList names { "NUMER_CARTA", "CPF_FUNCI", "DESCR_FUNCI", "LIMIT_CARTA",
        "ACUMU_CARTA", "SITUA_CARTA", "DATA_VENDA", "CNPJ_INSTI" };
    GridModel grid(names);
    QList<QStringList> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        rows.append({ QString::number(1000000000LL + i * 7919LL),
            QString::number(10000000000LL + i * 104729LL).left(11),
            QStringLiteral("JOSÉ DA CONCEIÇÃO %1").arg(i),
            QStringLiteral("%1,00").arg(500 + i % 1500),
            QStringLiteral("%1,%2").arg(i % 997).arg(i % 100, 2, 10, QLatin1Char('0')),
            QString::number(i % 4),
            QStringLiteral("%1/03/2024").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
            QStringLiteral("12345678000195") });
    }
    return joinLines(getXMLListV(names, rows));
}

} // namespace

int main()
{
    const QString reply = buildReply();
    const QByteArray packed = getZip(reply);

    qint64 bestParse = -1, bestBare = -1;
    qsizetype rows = 0, elements = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        const auto text = getUnzip(packed);
        TblTemp table;
        const auto fields = text ? setTblTempXMLSt(*text, table) : std::nullopt;
        const qint64 parseNs = t.nsecsElapsed();
        if (!fields || *fields != 8 || table.size() != kRows) {
            std::fprintf(stderr, "recordlist: parse failed\n");
            return 1;
        }
        rows = table.size();
        limpTBlTemp(table);

        t.restart();
        QXmlStreamReader xml(reply);
        qsizetype count = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement)
                ++count;
        }
        const qint64 bareNs = t.nsecsElapsed();
        if (xml.hasError())
            return 1;
        elements = count;

        bestParse = bestParse < 0 ? parseNs : std::min(bestParse, parseNs);
        bestBare = bestBare < 0 ? bareNs : std::min(bestBare, bareNs);
    }

    QTextStream out(stdout);
    out << "recordlist: " << rows << " rows x 8 fields (" << elements << " elements), packed "
        << QString::number(packed.size() / 1048576.0, 'f', 2) << " MiB -> "
        << QString::number(reply.size() / 1048576.0, 'f', 2) << " MiB; unzip+parse "
        << QString::number(bestParse / 1e6, 'f', 1) << " ms; bare QXmlStreamReader "
        << QString::number(bestBare / 1e6, 'f', 1) << " ms; ratio "
        << QString::number(double(bestParse) / double(bestBare), 'f', 2) << " (best of " << kRuns
        << ")\n";
    return 0;
}
