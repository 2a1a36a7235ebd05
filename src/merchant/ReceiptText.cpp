#include "merchant/ReceiptText.h"

#include "printing/TextDocument.h"

namespace zx {

namespace {
QString alinh(const QString &t, int alignment, int width)
{
    return TextDocument::alinhCampo(t, alignment, width);
}
} // namespace

QStringList ReceiptText::lines(
    const ReceiptSale &sale, int copias, bool reimpressao, int linhasAvanco)
{
    const QString separador(kWidth, QLatin1Char('-'));
    const QString data = sale.dataTexto();
    QString cabecalho = reimpressao ? kReimpressao : QString();
    // A station set to no copies still gets one: printing nothing would look like success.
    const int vias = reimpressao ? 1 : std::max(1, copias);
    QStringList out;
    for (int k = 1; k <= vias; ++k) {
        if (copias == 2 && !reimpressao)
            cabecalho = k == 1 ? QStringLiteral("1 Via - Estabelecimento")
                               : QStringLiteral("2 Via - Usuario");
        out << QStringLiteral("ZENTRIX - COMPROVANTE DE VENDA") << QString()
            << alinh(QStringLiteral("Empresa:"), 0, 18) + alinh(cabecalho, 1, 30)
            << sale.instituicao << QStringLiteral("Autorizacao: ") + sale.autorizacao
            << QStringLiteral("Data/Hora..: ") + data + QLatin1Char(' ') + sale.hora << separador
            << QStringLiteral("Estabelecimento Credenciado:") << sale.razaoSocial << sale.fantasia
            << separador << QStringLiteral("Identificacao do Funcionario:")
            << QStringLiteral("Nome..: ") + sale.funcionario
            << QStringLiteral("Dep...: ") + sale.dependente
            << QStringLiteral("Cartao: ") + sale.cartaoTexto() << separador
            << QStringLiteral("Dados da venda:") << QStringLiteral("Data..: ") + data;
        if (reimpressao)
            out << alinh(QStringLiteral("Valor.: ") + sale.valor, 0, 25) + alinh(cabecalho, 1, 23);
        else
            out << QStringLiteral("Valor.: ") + sale.valor;
        out << QStringLiteral("Parc. : ") + QString::number(sale.parcelasNumero()) << QString();
        if (k == 1) {
            out << QStringLiteral("Autorizo o Estabelecimento  acima  especificado,")
                << QStringLiteral("a receber  do  meu  Empregador   o  valor  dessa")
                << QStringLiteral("AUTORIZACAO,   que  sera  descontada  dos   meus")
                << QStringLiteral("proventos,   conforme  contrato  firmado  com  a")
                << QStringLiteral("a Empresa.") << QString() << QString() << QString()
                << alinh(QString(39, QLatin1Char('_')), 2, kWidth)
                << alinh(QStringLiteral("Assinatura"), 2, kWidth) << QStringLiteral("    RG:")
                << QString();
        }
        out << separador << QString();
    }
    for (int i = 0; i < linhasAvanco; ++i)
        out << QString();
    return out;
}

QString ReceiptText::integrationFirstLine(const QString &numero)
{
    return QStringLiteral("1 AUTORIZACAO CONCEDIDA NR ") + numero;
}

QString ReceiptText::padded(const QString &line)
{
    return line.leftJustified(kWidth, QLatin1Char(' '));
}

} // namespace zx
