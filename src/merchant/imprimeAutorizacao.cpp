#include "merchant/imprimeAutorizacao.h"

#include "common/Messages.h"
#include "common/core/Cp1252.h"
#include "merchant/ReceiptReports.h"
#include "merchant/ReceiptText.h"
#include "platform/Platform.h"
#include "printing/TFrmPreviewDOS.h"
#include "printing/TextFormat.h"

#include <QFile>

namespace zx {

namespace {

// The integration file, created at once so that the calling program finds at least
// the first line whatever happens next.
class IntegrationFile {
public:
    explicit IntegrationFile(const QString &path)
        : m_file(path)
    {
    }

    bool open(const QString &firstLine)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail();
        return write(firstLine);
    }

    bool write(const QString &line)
    {
        const QByteArray bytes = cp1252::encode(ReceiptText::padded(line)) + "\r\n";
        if (m_file.write(bytes) != bytes.size())
            return fail();
        return true;
    }

    bool close()
    {
        const bool ok = m_file.flush();
        m_file.close();
        return ok || fail();
    }

private:
    bool fail()
    {
        MsgErro(QStringLiteral("Erro de entrada/saída no arquivo de integração ")
            + m_file.fileName() + QStringLiteral(": ") + m_file.errorString());
        return false;
    }

    QFile m_file;
};

bool textReceipt(
    const ReceiptSale &sale, bool reimpressao, const ReceiptSettings &cfg, TFrmPreviewDOS *existing)
{
    const QStringList lines = ReceiptText::lines(sale, cfg.copias, reimpressao, cfg.linhasAvanco);
    std::unique_ptr<TFrmPreviewDOS> own;
    TFrmPreviewDOS *preview = existing;
    if (!preview) {
        own = std::make_unique<TFrmPreviewDOS>(cfg.copias, false, true, 1000);
        preview = own.get();
    }
    for (const QString &l : lines)
        preview->adicionaLinha(l, textformat::kReceiptLine);
    preview->setMostrar(cfg.visual);
    const int result = preview->exibe();
    // Shown, the cashier decides; unseen, it either reached the printer or not.
    return cfg.visual || result == QDialog::Accepted;
}

} // namespace

bool imprimeAutorizacao(const QString &numero, const std::optional<ReceiptSale> &venda,
    bool reimpressao, const QString &arquivoIntegracao, const ReceiptSettings &settings,
    TFrmPreviewDOS *preview)
{
    std::optional<IntegrationFile> integracao;
    if (!arquivoIntegracao.isEmpty()) {
        integracao.emplace(arquivoIntegracao);
        if (!integracao->open(ReceiptText::integrationFirstLine(numero)))
            return false;
    }
    if (!venda) {
        MsgErro(QStringLiteral("Autorização não encontrada!!!"));
        if (integracao)
            integracao->close();
        return false;
    }
    if (integracao) {
        // No feed lines in the file.
        for (const QString &l : ReceiptText::lines(*venda, settings.copias, reimpressao, 0))
            if (!integracao->write(l))
                return false;
        return integracao->close();
    }
    switch (settings.tipo) {
    case ReceiptSettings::Grafica1:
        ReceiptReports::autoriz(*venda, reimpressao).preview();
        return true;
    case ReceiptSettings::Grafica2: {
        const QString copies = ReceiptReports::copiesFilePath();
        if (!ReceiptReports::ensureCopiesFile(std::max(1, settings.copias), copies)) {
            MsgErro(QStringLiteral("Não foi possível gravar o arquivo ") + copies);
            return false;
        }
        ReceiptReports::grafMatric(*venda, reimpressao, copies).preview();
        return true;
    }
    default:
        return textReceipt(*venda, reimpressao, settings, preview);
    }
}

} // namespace zx
