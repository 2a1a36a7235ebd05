#pragma once
// Sends a page range of a text document to a dot-matrix printer as ESC/P: for every
// segment of a line ESC "!" (mode + style) and the segment's characters without
// accents, CR LF after each line, a form feed between pages.
#include "printing/TextDocument.h"

#include <QByteArray>
#include <functional>

class QIODevice;

namespace zx {

class EscpWriter {
public:
    struct Options {
        int lineLimit = 1000; // most lines printed on the last page of the range
        bool finalFormFeed = false; // form feed after the last printed line
    };

    // Called after every row walked, so that the window can repaint.
    std::function<void()> afterRow;

    // Writes pages start..end (clamped to the document) to the device. False when a
    // write failed; the device is left open.
    bool write(
        const TextDocument &doc, int start, int end, QIODevice &port, const Options &options);
    // The bytes the port would receive.
    QByteArray render(const TextDocument &doc, int start, int end, const Options &options);

    // One line's bytes (segments and CR LF).
    static QByteArray lineBytes(const TextLine &line);
    // The range actually printed: [start, end] after clamping.
    static std::pair<int, int> clampRange(const TextDocument &doc, int start, int end);
};

} // namespace zx
