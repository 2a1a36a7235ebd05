#pragma once
// Printing the receipt of an authorized sale, in the form the station is set to: the
// text receipt through the text preview (straight to the printer port), "Gráfica 1"
// or "Gráfica 2" in the report preview; with an integration file the text receipt
// goes into that file instead.
//
// The caller finds the sale (VENDA filtered on AUTOR_VEND = numero, and the holder,
// institution and company rows it points to), confirms its situation locally ("A"
// when it was not and the number is a positive whole number) and passes the data;
// std::nullopt when no VENDA row has that number.
#include "merchant/ReceiptSale.h"

#include <optional>

namespace zx {

class TFrmPreviewDOS;

// False when nothing was printed: the sale was not found ("Autorização não
// encontrada!!!"), the integration file or copies file could not be written, or the
// printer port failed (its message shown by the preview).
// preview: a text preview already open to fill, or nullptr to use one of its own.
bool imprimeAutorizacao(const QString &numero, const std::optional<ReceiptSale> &venda,
    bool reimpressao, const QString &arquivoIntegracao,
    const ReceiptSettings &settings = ReceiptSettings::fromStation(),
    TFrmPreviewDOS *preview = nullptr);

} // namespace zx
