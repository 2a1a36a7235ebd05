#pragma once
// The authorization rules of the merchant card operations (kv1 and kv1_F): sale,
// reversal and balance. Requests and replies are one-row record lists.
#include "service/protocol/TRegist.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace zx::server {

using Clock = std::function<QDateTime()>;

class CardService {
public:
    CardService(QSqlDatabase db, Clock clock)
        : m_db(std::move(db))
        , m_clock(std::move(clock))
    {
    }

    // getAutoriz. A sale is authorized when the card exists and is active, its
    // institution and the merchant are active, the password matches (a holder without
    // one is accepted with an empty value; merchants of segments 10 to 12 sell without
    // asking), the instalments are within the merchant's maximum and the limit minus
    // the accumulated value covers the amount. A second sale of the same card, amount
    // and merchant on the same day is answered "ID001" with the earlier authorization.
    // `loyaltyType`: the TIPO_VENDA a kv1_F sale carries ("0" on kv1).
    QString authorize(const protocol::TRegist &request, bool loyaltyService);
    // CancAutoriz. By number: only a sale of that merchant. Without a number: the one
    // active sale of that merchant with the card, amount and station date sent in
    // CARTA_VENDA, VALOR_VENDA and DATA_VENDA; otherwise nothing is reversed.
    QString reverse(const protocol::TRegist &request);
    // getResCart: the card's limit and used amount, with the merchant's settings.
    QString balance(const protocol::TRegist &request);

private:
    QSqlDatabase m_db;
    Clock m_clock;
};

// Digits of a text, left-padded with "0" to `width` (never cut).
QString paddedDigits(const QString &text, int width);

} // namespace zx::server
