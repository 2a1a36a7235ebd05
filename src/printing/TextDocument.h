#pragma once
// A text report as printed on continuous paper: lines with their line format,
// split into pages by invisible marker lines ("PAGINA ATUAL: 001").
#include <QByteArray>
#include <QList>
#include <QString>

namespace zx {

struct TextLine {
    QString text; // as printed (Windows-1252 range)
    QString format; // "|1-60|17|0|"
    bool operator==(const TextLine &) const = default;
};

class TextDocument {
public:
    QList<TextLine> lines;

    void append(const QString &text, const QString &format) { lines.append({ text, format }); }
    qsizetype size() const { return lines.size(); }

    static bool isPageMarker(const QString &text);
    // Characters 15 to 19 of the trimmed marker; unreadable gives 1.
    static int markerPage(const QString &text);
    static QString markerText(int page); // "PAGINA ATUAL: 001"

    // A document whose first line is not a marker is one page.
    bool isPaged() const;
    // Highest page number of the markers (1 when not paged).
    int totalPages() const;
    // Page of a row: the nearest marker at or above it (1 when none).
    int pageAt(qsizetype row) const;
    // Row of the marker of a page, -1 when none.
    qsizetype markerRow(int page) const;

    // A document written one line per line as "format<TAB>text" in
    // Windows-1252 (CR LF or LF); a line without a tab is all text, without a
    // format.
    static TextDocument fromTabbed(const QByteArray &bytes);

    // Cut to the width, then pad: 0 left-aligned, 1 right-aligned, 2 centred (the odd
    // blank on the right). Any other alignment gives an empty text.
    static QString alinhCampo(const QString &text, int alignment, int width);
};

// Accented letters folded to plain ones, as the printer's character set wants.
QString removeAcento(const QString &text);

} // namespace zx
