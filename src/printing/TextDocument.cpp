#include "printing/TextDocument.h"

#include "common/core/Cp1252.h"
#include "common/core/TextHelpers.h"

namespace zx {

namespace {
const QString kMarker = QStringLiteral("PAGINA ATUAL:");
}

bool TextDocument::isPageMarker(const QString &text)
{
    return text.contains(kMarker);
}

int TextDocument::markerPage(const QString &text)
{
    bool ok = false;
    const int page = text.trimmed().mid(14, 5).trimmed().toInt(&ok);
    return ok ? page : 1;
}

QString TextDocument::markerText(int page)
{
    return kMarker + QLatin1Char(' ') + QStringLiteral("%1").arg(page, 3, 10, QLatin1Char('0'));
}

bool TextDocument::isPaged() const
{
    return !lines.isEmpty() && isPageMarker(lines.first().text);
}

int TextDocument::totalPages() const
{
    if (!isPaged())
        return 1;
    int total = 1;
    for (const TextLine &l : lines)
        if (isPageMarker(l.text))
            total = std::max(total, markerPage(l.text));
    return total;
}

int TextDocument::pageAt(qsizetype row) const
{
    for (qsizetype r = std::min(row, lines.size() - 1); r >= 0; --r)
        if (isPageMarker(lines.at(r).text))
            return markerPage(lines.at(r).text);
    return 1;
}

qsizetype TextDocument::markerRow(int page) const
{
    for (qsizetype r = 0; r < lines.size(); ++r)
        if (isPageMarker(lines.at(r).text) && markerPage(lines.at(r).text) == page)
            return r;
    return -1;
}

TextDocument TextDocument::fromTabbed(const QByteArray &bytes)
{
    TextDocument doc;
    QList<QByteArray> rows = bytes.split('\n');
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast(); // the final line break ends the last line
    for (QByteArray row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        const QString line = cp1252::decode(row);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            doc.append(line, QString());
        else
            doc.append(line.mid(tab + 1), line.left(tab));
    }
    return doc;
}

QString TextDocument::alinhCampo(const QString &text, int alignment, int width)
{
    return funcao::AlinhCampo(text, alignment, width);
}

QString removeAcento(const QString &text)
{
    return funcao::RemoveAcento(text);
}

} // namespace zx
