#pragma once
// Printing a page range of a text document to a port, with the errors shown the way
// the station shows them.
#include "printing/EscpWriter.h"

namespace zx {

class TextPrintJob {
public:
    enum class Result { Printed, PortFailed, WriteFailed };

    // Opens the port, writes the range and closes it; shows nothing.
    static Result print(const TextDocument &doc, int start, int end, const QString &portName,
        const EscpWriter::Options &options, const std::function<void()> &afterRow = {});
    // The station's message for a failure: "Erro ao tentar conectar à impressora!!!"
    // when the port did not open, "Erro ao Tentar Imprimir!!!" when a write failed.
    static void report(Result result);
    // print() then report().
    static Result printAndReport(const TextDocument &doc, int start, int end,
        const QString &portName, const EscpWriter::Options &options);
};

} // namespace zx
