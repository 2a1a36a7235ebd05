#include "printing/TextPrintJob.h"

#include "common/Messages.h"
#include "printing/PrinterPort.h"

namespace zx {

TextPrintJob::Result TextPrintJob::print(const TextDocument &doc, int start, int end,
    const QString &portName, const EscpWriter::Options &options,
    const std::function<void()> &afterRow)
{
    PrinterPort port;
    if (!port.open(portName))
        return Result::PortFailed;
    EscpWriter writer;
    writer.afterRow = afterRow;
    const bool written = writer.write(doc, start, end, *port.device(), options);
    const bool closed = port.close();
    return written && closed ? Result::Printed : Result::WriteFailed;
}

void TextPrintJob::report(Result result)
{
    if (result == Result::PortFailed)
        MsgErro(QStringLiteral("Erro ao tentar conectar à impressora!!!"));
    else if (result == Result::WriteFailed)
        MsgErro(QStringLiteral("Erro ao Tentar Imprimir!!!"));
}

TextPrintJob::Result TextPrintJob::printAndReport(const TextDocument &doc, int start, int end,
    const QString &portName, const EscpWriter::Options &options)
{
    const Result r = print(doc, start, end, portName, options);
    report(r);
    return r;
}

} // namespace zx
