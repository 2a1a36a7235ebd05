#pragma once
// The page receipts of a sale: "Gráfica 1" (two copies side by side, rptAutoriz) and
// "Gráfica 2" (one band per line of the copies file autAux.txt, rptGrafMatric).
#include "merchant/ReceiptSale.h"
#include "printing/Report.h"

namespace zx {

class ReceiptReports {
public:
    // The declaration both layouts print above the signature.
    static const QString kDeclaracao;

    static Report autoriz(const ReceiptSale &sale, bool reimpressao);
    // The copies file must exist (see ensureCopiesFile).
    static Report grafMatric(const ReceiptSale &sale, bool reimpressao, const QString &copiesFile);

    // autAux.txt in the program folder.
    static QString copiesFilePath();
    // Rewrites the copies file when it is missing or has another number of lines than
    // copies: k + "ª Via Estabelecimento" for odd k, k + "ª Via Usuário" for even k.
    // False when it could not be written.
    static bool ensureCopiesFile(int copias, const QString &path = copiesFilePath());
};

} // namespace zx
