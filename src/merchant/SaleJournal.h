#pragma once
// The station's journal of sales (VENDA), the per-station mark of a request in flight
// (ULT_SOLIC), the cached holder and institution rows and the password-known cards
// (CT_OK). Plain code over the data module: the card page orchestrates, this writes.
// Every operation opens what it needs and closes it again.
#include "merchant/ReceiptSale.h"
#include "merchant/TParamVend.h"
#include "service/protocol/TRegist.h"

#include <QList>
#include <QString>
#include <optional>

namespace zx {

class TDM;

namespace diario {

// A sale as written before sending it.
struct NovaVenda {
    QString cartao, data, hora, valor, tipo;
    int parcelas = 1;
};

// A pending row of the journal with its local number.
struct VendaPendente {
    qint64 solicitacao = 0;
    TParamVend venda;
};

// Appends the "P" row; gives its SOLIC_VEND, or 0 with `erro` set.
qint64 gravaPendente(TDM &dm, const NovaVenda &v, QString *erro = nullptr);
// The station's ULT_SOLIC row (NUMER_IP = the station IP) gets the sale's card, date
// and amount; limpaMarca empties them. The row is created when missing.
bool marcaEmVoo(TDM &dm, const QString &cartao, const QString &data, const QString &valor);
bool limpaMarca(TDM &dm);
// True when another station's ULT_SOLIC row carries this card, date and amount (the
// check runs while this station sends nothing, so its own row never counts).
bool emVoo(TDM &dm, const TParamVend &venda);
// The station's own mark as "card|date|amount" ("||" when clear, empty without a row).
QString marcaDaEstacao(TDM &dm);

// SITUA_VEND of the row numbered `solicitacao`.
bool situacao(TDM &dm, qint64 solicitacao, const QString &nova, QString *erro = nullptr);
// A whole row as a reversal describes it.
std::optional<TParamVend> venda(TDM &dm, qint64 solicitacao);

// Copies an authorization reply into the sale's row, FUNCIONARIO and INSTITUICAO.
bool gravaRetornoVenda(TDM &dm, qint64 solicitacao, const protocol::TRegist &reply,
                       QString *erro = nullptr);
// Holder and dependant cached for (institution, registration).
std::optional<std::pair<QString, QString>> funcionario(TDM &dm, const QString &cnpjInsti,
                                                       const QString &matricula);

// Password-known cards: stored as digits, once.
bool cartaoConhecido(TDM &dm, const QString &cartao);
bool adicionaCartaoConhecido(TDM &dm, const QString &cartao);

// Rows "P" in table order.
QList<VendaPendente> pendentes(TDM &dm, bool *ok = nullptr);
// True when the first pending row has a card number (what the checks ask about).
bool primeiraPendenteComCartao(TDM &dm);
// Marks "C" the row equal to the sale's card, date, amount and situation; true when a
// row was found and stored, false with `achou` false when none matched.
bool marcaCancelada(TDM &dm, const TParamVend &venda, bool *achou = nullptr, QString *erro = nullptr);
// True when an "A" row has this sale's card, date and amount. The server refuses a second
// sale of the same card, amount and day as a duplicate, so such a row proves that a
// pending sale with these values never became a sale there.
bool temAutorizadaIgual(TDM &dm, const TParamVend &venda);
// The sale of an authorization number, when the journal has it.
std::optional<TParamVend> porAutorizacao(TDM &dm, const QString &autorizacao);

// What the receipt of an authorization prints, after confirming the row as "A";
// nothing when no row has that number.
std::optional<ReceiptSale> vendaParaRecibo(TDM &dm, const QString &autorizacao);

} // namespace diario
} // namespace zx
