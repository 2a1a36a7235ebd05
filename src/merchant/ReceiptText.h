#pragma once
// The text receipt of a sale: 48-character lines for the dot-matrix printer (through
// the text preview) or for the integration file.
#include "merchant/ReceiptSale.h"

#include <QStringList>

namespace zx {

class ReceiptText {
public:
    static constexpr int kWidth = 48;
    static inline const QString kReimpressao = QStringLiteral("R E I M P R E S S A O");

    // Every copy (one for a reprint; the copy labels when there are exactly two), the
    // declaration and signature block on the first, then the feed lines.
    static QStringList lines(
        const ReceiptSale &sale, int copias, bool reimpressao, int linhasAvanco);

    // The integration file: "1 AUTORIZACAO CONCEDIDA NR " + number, then the receipt
    // lines, each padded with blanks to 48 characters (longer lines whole).
    static QString integrationFirstLine(const QString &numero);
    static QString padded(const QString &line);
};

} // namespace zx
