#pragma once
// One local sale as a reversal needs it: the five texts of its VENDA row.
#include <QString>

namespace zx {

struct TParamVend {
    QString autorizacao; // AUTOR_VEND (may be empty: the answer never came)
    QString cartao;      // CARTA_VEND
    QString data;        // DATA_VENDA, dd/mm/yyyy
    QString valor;       // VALOR_VEND, "1.234,50"
    QString situacao;    // SITUA_VEND
};

} // namespace zx
