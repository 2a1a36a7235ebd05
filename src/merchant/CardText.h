#pragma once
// The texts of the card pages: how the typed fields are completed, the confirmation
// question and the reply memo's lines. Plain code, no window.
#include "service/protocol/TRegist.h"

#include <QString>
#include <QStringList>

namespace zx::cartao {

// The card field on leaving it: trimmed; "1" and "2" kept; any other positive whole
// number left-padded with zeros to at least ten digits; anything else as trimmed.
QString completaCartao(const QString &text);
// The authorization-number field on leaving it: a positive whole number padded to at
// least twelve digits; anything else as it was.
QString completaAutorizacao(const QString &text);
// The amount field on leaving it: an amount above zero with two decimals and thousands
// points ("1234,5" gives "1.234,50"); anything else as it was.
QString completaValor(const QString &text);
// True when the text reads as a whole number above zero.
bool numeroPositivo(const QString &text);
// Installments as typed, read as a number (1 when blank or unreadable).
int parcelasDe(const QString &text);

// The amount field's key rule: the character to insert for `typed` ("." becomes ","),
// or a null QChar when the key is refused (not a digit, or a second comma).
QChar teclaValor(const QString &current, QChar typed);

// "Confirma a autorização de R$: 10,00?" (with " dividida em N parcelas" for N >= 2).
QString perguntaConfirmacao(const QString &valor, int parcelas);

// Waiting status of a request, with the HTTP client's time-out in seconds.
QString statusAguarde(int segundos);

// Memo of a duplicate sale (the message without its five-character code).
QStringList linhasDuplicada(const QString &mensagem, const QString &autorizacaoAnterior);

// The authorized sale's block (after "Mensagem de Retorno: ..." and its empty line).
struct VendaAutorizada {
    QString autorizacao, funcionario, dependente, cartao, vencimento, hora, valor;
};
QStringList linhasAutorizada(const VendaAutorizada &v);

// The balance answer as memo lines (active card or refusal), `site` the network's
// web address.
QStringList linhasSaldo(const protocol::TRegist &reply, const QString &cartao,
                        const QString &site);
// True when the balance reply is an active card ("1").
bool saldoAtivo(const protocol::TRegist &reply);

// The contact query and its memo (columns by position, as selected).
QString sqlConsultaCartao(const QString &cartao);
QStringList linhasConsulta(const protocol::TRegist &row);

} // namespace zx::cartao
