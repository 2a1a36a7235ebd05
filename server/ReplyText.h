#pragma once
// What every reply shares: values fit for a record list, single-record replies, and the
// error text of the reply conventions.
#include <QPair>
#include <QString>
#include <QStringList>

namespace zx::server {

// A raw "&" stays (the stations expect it); "<", ">" and control characters go.
QString replyValue(const QString &v);
// "ERRO ENCONTRADO: MENSA_RETOR=" + message + "|".
QString errorReply(const QString &message);

using ReplyRecord = QList<QPair<QString, QString>>;
// A one-row record list of the fields in order.
QString recordReply(const ReplyRecord &fields);

} // namespace zx::server
