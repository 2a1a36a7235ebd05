// zxtool escp: the bytes a dot-matrix printer receives for a text document.
#include "Command.h"

#include "printing/EscpWriter.h"
#include "printing/TextDocument.h"

#include <QFile>
#include <climits>
#include <cstdio>

namespace {

int run(const QStringList &args, zxtool::Io &io)
{
    if (args.size() != 1) {
        io.err << "usage: zxtool escp FILE\n";
        return 2;
    }
    QFile in(args.first());
    if (!in.open(QIODevice::ReadOnly)) {
        io.err << "zxtool escp: " << args.first() << ": " << in.errorString() << "\n";
        return 1;
    }
    const zx::TextDocument doc = zx::TextDocument::fromTabbed(in.readAll());
    zx::EscpWriter writer;
    // The whole document, without the line limit and without a final form feed.
    const QByteArray bytes = writer.render(doc, 1, doc.totalPages(), { INT_MAX, false });
    io.out.flush();
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size()
        || !out.flush()) {
        io.err << "zxtool escp: cannot write to standard output\n";
        return 1;
    }
    return 0;
}

const zxtool::Registrar reg({ QStringLiteral("escp"), QStringLiteral("escp FILE"),
    QStringLiteral("ESC/P bytes a printer port receives for FILE "
                   "(lines \"format<TAB>text\", Windows-1252)"),
    run });

} // namespace
