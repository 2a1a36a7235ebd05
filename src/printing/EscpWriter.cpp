#include "printing/EscpWriter.h"

#include "common/core/Cp1252.h"
#include "printing/TextFormat.h"

#include <QBuffer>
#include <QFileDevice>

namespace zx {

namespace {
constexpr char kEsc = 27;
constexpr char kFormFeed = 12;

bool put(QIODevice &port, const QByteArray &bytes)
{
    return port.write(bytes) == bytes.size();
}

// Files and devices flush on their own; a QFileDevice wants it asked.
bool flush(QIODevice &port)
{
    if (auto *f = qobject_cast<QFileDevice *>(&port))
        return f->flush();
    return true;
}
} // namespace

std::pair<int, int> EscpWriter::clampRange(const TextDocument &doc, int start, int end)
{
    const int total = doc.totalPages();
    // Without pages the one page prints, whatever range was asked.
    if (!doc.isPaged())
        return { 1, 1 };
    start = std::max(start, 1);
    end = std::min(end, total);
    return { start, end };
}

QByteArray EscpWriter::lineBytes(const TextLine &line)
{
    QByteArray out;
    const QString text = removeAcento(line.text);
    const QList<FormatSegment> segments = textformat::parse(line.format);
    if (segments.isEmpty()) {
        // A line without a readable format still prints, in the current mode.
        out += cp1252::encode(text);
    }
    for (const FormatSegment &s : segments) {
        out += kEsc;
        out += '!';
        out += char((textformat::modeByte(s.pitch) + s.style) & 0xFF);
        if (s.last >= s.first)
            out += cp1252::encode(text.mid(s.first - 1, s.last - s.first + 1));
    }
    out += "\r\n";
    return out;
}

bool EscpWriter::write(
    const TextDocument &doc, int start, int end, QIODevice &port, const Options &options)
{
    std::tie(start, end) = clampRange(doc, start, end);
    int page = 1;
    int linesOnPage = 0;
    bool printedSinceFeed = false;
    for (const TextLine &line : doc.lines) {
        if (TextDocument::isPageMarker(line.text)) {
            page = TextDocument::markerPage(line.text);
            // Past the range: stop here, so that only the final form feed flag decides
            // whether the paper advances after the last page printed.
            if (page > end)
                break;
            if (page > start) {
                linesOnPage = 0;
                if (printedSinceFeed) {
                    if (!put(port, QByteArray(1, kFormFeed)))
                        return false;
                    printedSinceFeed = false;
                }
            }
        } else if (page >= start && page <= end) {
            // Segment by segment, flushed, so a slow printer starts at once.
            const QByteArray bytes = lineBytes(line);
            if (!put(port, bytes) || !flush(port))
                return false;
            ++linesOnPage;
            printedSinceFeed = true;
        }
        if (afterRow)
            afterRow();
        if (page == end && linesOnPage >= options.lineLimit)
            break;
    }
    if (options.finalFormFeed && printedSinceFeed && !put(port, QByteArray(1, kFormFeed)))
        return false;
    return flush(port);
}

QByteArray EscpWriter::render(const TextDocument &doc, int start, int end, const Options &options)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    write(doc, start, end, buffer, options);
    return out;
}

} // namespace zx
