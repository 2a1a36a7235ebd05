#pragma once
// The merchant operations of the service kv1: sale, reversal and balance. Each builds
// its one-record request, packs it with the identity given, unpacks the answer and
// keeps it only when it parses as one record. Any failure shows "Erro ao tentar
// acessar. Verifique a conexão com a Internet!!!" and leaves the reply empty.
#include "common/core/Money.h"
#include "merchant/TParamVend.h"

#include <QString>

namespace zx {

class Twc;

// The sale request (type "0": the six columns of a card sale).
QString montaVenda(const QString &senha, const QString &tipo, int parcelas, const Money &valor,
                   const QString &cartao, const QString &cnpj, const QString &data);
// The reversal request. Without an authorization number (a sale whose answer never
// came) the sale's card, date and amount travel too, so that the server reverses that
// sale and no other.
QString montaExtorno(const QString &autorizacao, const QString &usuario, const QString &cnpj,
                     const TParamVend &venda = {});
QString montaSaldo(const QString &cartao, const QString &senha, const QString &cnpj);

// getAutoriz. True when the call went through (the reply may still be empty).
bool getVenda(Twc &wc, const QString &identidade, const QString &senha, QString &retorno,
              const QString &tipo, int parcelas, const Money &valor, const QString &cartao);
// CancAutoriz.
bool getExtorno(Twc &wc, const QString &identidade, const QString &usuario, QString &retorno,
                const QString &autorizacao, const TParamVend &venda = {});
// getResCart (kv1_F when `fidelidade`).
bool getSaldo(Twc &wc, const QString &identidade, const QString &senha, QString &retorno,
              bool fidelidade, const QString &cartao);

} // namespace zx
