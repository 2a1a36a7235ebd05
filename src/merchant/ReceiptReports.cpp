#include "merchant/ReceiptReports.h"

#include "common/core/Cp1252.h"
#include "platform/Platform.h"
#include "printing/ReportLayouts.h"

#include <QFile>
#include <QSaveFile>

namespace zx {

const QString ReceiptReports::kDeclaracao = QStringLiteral(
    "Autorizo o Estabelecimento acima especificado, a receber do meu Empregador o valor dessa "
    "AUTORIZACAO, que sera descontada dos meus proventos, conforme contrato firmado com a "
    "Empresa.");

namespace {

void fill(Report &r, const ReceiptSale &s, bool reimpressao, const QString &suffix,
    const QString &copyElement)
{
    const QString data = s.dataTexto();
    auto set = [&](const char *name, const QString &text) {
        r.setLabel(QLatin1String(name) + suffix, text);
    };
    set("lblInstituicao", s.instituicao);
    set("lblAutorizacao", s.autorizacao);
    set("lblDataHora", data + QLatin1Char(' ') + s.hora);
    set("lblRazao", s.razaoSocial);
    set("lblFantasia", s.fantasia);
    set("lblNome", s.funcionario);
    set("lblDependente", s.dependente);
    set("lblCartaoCap", QStringLiteral("Cartão:"));
    set("lblCartao", s.cartaoTexto());
    set("lblData", data);
    set("lblHora", s.hora);
    set("lblValor", s.valor);
    set("lblParcelas", QString::number(s.parcelasNumero()));
    set("memDeclaracao", ReceiptReports::kDeclaracao);
    // A reprint says so where the copy caption would be.
    r.setVisible(QStringLiteral("lblReimpressao") + suffix, reimpressao);
    r.setVisible(copyElement, !reimpressao);
    for (const char *shown : { "linAssinatura", "lblAssinatura", "lblRG" })
        r.setVisible(QLatin1String(shown) + suffix, true);
}

} // namespace

Report ReceiptReports::autoriz(const ReceiptSale &sale, bool reimpressao)
{
    Report r(layouts::rptAutoriz());
    for (const QString suffix : { QStringLiteral("1"), QStringLiteral("2") })
        fill(r, sale, reimpressao, suffix, QStringLiteral("lblVia") + suffix);
    return r;
}

Report ReceiptReports::grafMatric(
    const ReceiptSale &sale, bool reimpressao, const QString &copiesFile)
{
    Report r(layouts::rptGrafMatric());
    fill(r, sale, reimpressao, QString(), QStringLiteral("InfdaVia"));
    r.setDataFile(copiesFile);
    return r;
}

QString ReceiptReports::copiesFilePath()
{
    return Platform::paths().inProgram(QStringLiteral("autAux.txt"));
}

bool ReceiptReports::ensureCopiesFile(int copias, const QString &path)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly)) {
        QByteArray all = current.readAll();
        current.close();
        // Counted as a list of lines: a final line break adds no line.
        qsizetype lines = all.isEmpty() ? 0 : all.count('\n') + (all.endsWith('\n') ? 0 : 1);
        if (lines == copias)
            return true;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (int k = 1; k <= copias; ++k) {
        const QString line = QString::number(k)
            + (k % 2 ? QStringLiteral("ª Via Estabelecimento") : QStringLiteral("ª Via Usuário"));
        out.write(cp1252::encode(line) + "\r\n");
    }
    return out.commit();
}

} // namespace zx
