#include "service/protocol/RecordList.h"

#include "common/core/Cp1252.h"
#include "service/protocol/TextRules.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace zx::protocol {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

template <typename T> std::optional<T> fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

QString where(const QXmlStreamReader &xml)
{
    return QStringLiteral(" (linha %1, coluna %2)").arg(xml.lineNumber()).arg(xml.columnNumber());
}

// Reads the reply into `rows`; the caller's table is only touched on success.
std::optional<int> parseRows(const QString &text, TblTemp &rows, QString *error)
{
    QXmlStreamReader xml(text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text);
    bool declared = false;
    bool rootSeen = false;
    int depth = 0; // 1 inside the root, 2 inside a row
    int fieldCount = 0;
    bool namesTaken = false;
    QStringList names;
    QStringList values;
    qsizetype field = 0;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            declared = !xml.documentVersion().isEmpty();
            break;
        case QXmlStreamReader::DTD:
            return fail<int>(error, QStringLiteral("resposta com DTD não é aceita"));
        case QXmlStreamReader::EntityReference:
            return fail<int>(error, QStringLiteral("entidade não declarada") + where(xml));
        case QXmlStreamReader::StartElement:
            if (!declared)
                return fail<int>(error, QStringLiteral("resposta sem declaração XML"));
            if (depth == 0) {
                if (rootSeen) // a well-formed document has one root; keep the guard anyway
                    return fail<int>(error, QStringLiteral("mais de um elemento raiz"));
                rootSeen = true;
                depth = 1;
            } else if (depth == 1) {
                depth = 2;
                field = 0;
                values = QStringList();
                if (namesTaken)
                    values.resize(fieldCount);
            } else {
                // A field: its whole text content, whatever it nests.
                const QString name = xml.name().toString();
                QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (xml.hasError())
                    break;
                if (value.contains(QLatin1Char('&')))
                    value.replace(QLatin1Char('&'), QLatin1Char('E'));
                if (!namesTaken) {
                    names.append(name);
                    values.append(value);
                } else if (field < fieldCount) {
                    values[field] = value;
                }
                ++field;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2) {
                if (!namesTaken) {
                    namesTaken = true;
                    fieldCount = int(names.size());
                }
                rows.append(TRegist { names, values });
            }
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (!declared && !xml.isWhitespace())
                return fail<int>(error, QStringLiteral("resposta sem declaração XML"));
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return fail<int>(error, QStringLiteral("XML inválido: ") + xml.errorString() + where(xml));
    if (!rootSeen)
        return fail<int>(error, QStringLiteral("resposta sem elemento raiz"));
    return fieldCount;
}

std::optional<int> parseInto(const QString &text, TblTemp &table, QString *error)
{
    TblTemp rows;
    const auto n = parseRows(text, rows, error);
    if (!n)
        return std::nullopt;
    table.append(std::move(rows));
    return n;
}

} // namespace

// --- requests -------------------------------------------------------------------------

QStringList getXMLListV(const QStringList &captions, const QList<QStringList> &rows)
{
    QStringList lines;
    lines.reserve(2 + rows.size() * (captions.size() + 2));
    lines << QStringLiteral("<?xml version='1.0' standalone='yes'?>")
          << QStringLiteral("<DATASET>");
    for (const QStringList &cells : rows) {
        lines << QStringLiteral("<REGISTRO>");
        for (qsizetype j = 0; j < captions.size(); ++j) {
            const QString &name = captions.at(j);
            lines << (QLatin1Char('<') + name + QLatin1Char('>') + cells.value(j)
                + QLatin1String("</") + name + QLatin1Char('>'));
        }
        lines << QStringLiteral("</REGISTRO>");
    }
    lines << QStringLiteral("</DATASET>");
    return lines;
}

QStringList getXMLListV(const GridModel &grid)
{
    QList<QStringList> rows;
    rows.reserve(grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r)
        rows.append(grid.row(r));
    return getXMLListV(grid.captions(), rows);
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    QString out;
    out.reserve(size);
    for (const QString &l : lines) {
        out += l;
        out += kCrLf;
    }
    return out;
}

QString recordListText(const GridModel &grid)
{
    return joinLines(getXMLListV(grid));
}

QString recordListText(const QStringList &captions, const QStringList &cells)
{
    return joinLines(getXMLListV(captions, { cells }));
}

// --- replies --------------------------------------------------------------------------

std::optional<QString> decodeReplyBytes(const QByteArray &bytes, QString *error)
{
    auto strict = [&](QStringConverter::Encoding enc, qsizetype skip) -> std::optional<QString> {
        QStringDecoder dec(enc, QStringDecoder::Flag::Stateless);
        QString text = dec.decode(QByteArrayView(bytes).sliced(skip));
        if (dec.hasError())
            return fail<QString>(error,
                QStringLiteral("resposta com bytes inválidos na "
                               "codificação declarada"));
        return text;
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return strict(QStringConverter::Utf8, 3);
    if (bytes.startsWith("\xFF\xFE"))
        return strict(QStringConverter::Utf16LE, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return strict(QStringConverter::Utf16BE, 2);

    QString encoding;
    if (bytes.startsWith("<?xml")) {
        const qsizetype end = bytes.indexOf("?>");
        if (end < 0 || end > 1024)
            return fail<QString>(error, QStringLiteral("declaração XML incompleta"));
        static const QRegularExpression re(
            QStringLiteral("\\sencoding\\s*=\\s*(['\"])([A-Za-z0-9._-]*)\\1"));
        const auto m = re.match(QString::fromLatin1(bytes.left(end)));
        if (m.hasMatch())
            encoding = m.captured(2).toLower();
    }
    if (encoding.isEmpty() || encoding == u"windows-1252" || encoding == u"cp1252"
        || encoding == u"iso-8859-1" || encoding == u"iso8859-1" || encoding == u"latin1"
        || encoding == u"us-ascii" || encoding == u"ascii")
        return zx::cp1252::decode(bytes);
    if (encoding == u"utf-8" || encoding == u"utf8")
        return strict(QStringConverter::Utf8, 0);
    return fail<QString>(error, QStringLiteral("codificação não suportada: ") + encoding);
}

std::optional<int> setTblTempXMLSt(const QString &text, TblTemp &table, QString *error)
{
    return parseInto(text, table, error);
}

std::optional<int> setTblTempXMLSt(const QByteArray &bytes, TblTemp &table, QString *error)
{
    const auto text = decodeReplyBytes(bytes, error);
    if (!text)
        return std::nullopt;
    return parseInto(*text, table, error);
}

std::optional<int> setTblTempXMLSt(
    QIODevice &stream, TblTemp &table, QString *error, qint64 maxBytes)
{
    if (!stream.isReadable())
        return fail<int>(error, QStringLiteral("fluxo não legível"));
    const QByteArray bytes = stream.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return fail<int>(
            error, QStringLiteral("resposta excede o limite de %1 bytes").arg(maxBytes));
    return setTblTempXMLSt(bytes, table, error);
}

std::optional<int> setTblTempXML(const QString &path, TblTemp &table, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail<int>(error,
            QStringLiteral("não foi possível abrir ") + path + QLatin1String(": ")
                + file.errorString());
    return setTblTempXMLSt(file, table, error);
}

FillResult montXMLListV(const QString &reply, GridModel &grid, bool clear, QString *error)
{
    TblTemp table;
    if (!parseInto(reply, table, error))
        return FillResult::Invalid;
    if (table.isEmpty())
        return FillResult::Empty;
    if (clear)
        grid.clearRows();
    for (const TRegist &row : table) {
        if (grid.columnCount() == 0)
            grid.setCaptions(row.campos);
        grid.addRow(row.valores);
    }
    return FillResult::Filled;
}

std::optional<TRegist> montRegUnicoXML(const QString &reply, QString *error)
{
    if (reply.trimmed().isEmpty())
        return std::nullopt;
    TblTemp table;
    if (!parseInto(escapeAmpersands(RemoveAcento(reply)), table, error) || table.isEmpty())
        return std::nullopt;
    TRegist row = table.first();
    for (QString &v : row.valores)
        v = restoreAmpersands(v);
    return row;
}

} // namespace zx::protocol
