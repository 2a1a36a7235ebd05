#include "SqlService.h"

#include "ReplyText.h"
#include "SqlTranslator.h"
#include "service/protocol/RecordList.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zx::server {

namespace {

bool prepare(QSqlQuery &q, const SqlStatement &st, QString *error)
{
    if (!q.prepare(st.sql)) {
        *error = q.lastError().text();
        return false;
    }
    for (qsizetype i = 0; i < st.binds.size(); ++i)
        q.bindValue(int(i), st.binds[i]);
    return true;
}

} // namespace

QString SqlService::query(const QString &sql)
{
    const SqlTranslation tr = translateSql(sql);
    if (!tr.ok())
        return errorReply(tr.error);
    const SqlStatement &st = *tr.statement;
    if (st.verb != SqlStatement::Verb::Select)
        return errorReply(QStringLiteral("Somente consultas (select) nesta operação"));
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    QString err;
    if (!prepare(q, st, &err) || !q.exec())
        return errorReply(err.isEmpty() ? q.lastError().text() : err);
    const QSqlRecord rec = q.record();
    QStringList names;
    QList<std::optional<ColKind>> kinds;
    const bool followed = st.outputKinds.size() == rec.count();
    for (int i = 0; i < rec.count(); ++i) {
        names << rec.fieldName(i);
        kinds << (followed ? st.outputKinds[i] : ServerSchema::kindOf(rec.fieldName(i)));
    }
    QList<QStringList> rows;
    qsizetype chars = 0;
    while (q.next()) {
        if (rows.size() >= kMaxRows || chars > kMaxReplyChars)
            return errorReply(QStringLiteral("Resultado grande demais: refine a consulta"));
        QStringList row;
        for (int i = 0; i < rec.count(); ++i) {
            row << replyValue(clearValue(kinds[i], q.value(i)));
            chars += row.last().size() + names[i].size() * 2 + 5;
        }
        rows.append(row);
    }
    if (q.lastError().isValid())
        return errorReply(q.lastError().text());
    return protocol::joinLines(protocol::getXMLListV(names, rows));
}

bool SqlService::exec(const QString &sql, QString *error)
{
    QString dummy;
    QString &err = error ? *error : dummy;
    const SqlTranslation tr = translateSql(sql);
    if (!tr.ok()) {
        err = tr.error;
        return false;
    }
    const SqlStatement &st = *tr.statement;
    if (st.verb == SqlStatement::Verb::Select) {
        err = QStringLiteral("Uma consulta não altera dados");
        return false;
    }
    QSqlQuery q(m_db);
    if (!prepare(q, st, &err))
        return false;
    if (!q.exec()) {
        err = q.lastError().text();
        return false;
    }
    if (q.numRowsAffected() <= 0) {
        err = QStringLiteral("Nenhum registro foi alterado");
        return false;
    }
    return true;
}

QString SqlService::execTrans(const QString &recordList)
{
    protocol::TblTemp rows;
    QString err;
    if (!protocol::setTblTempXMLSt(recordList, rows, &err))
        return errorReply(QStringLiteral("Lista de comandos inválida: ") + err);
    if (rows.isEmpty())
        return errorReply(QStringLiteral("Nenhum comando foi enviado"));
    if (!m_db.transaction())
        return errorReply(m_db.lastError().text());
    int n = 0;
    for (const auto &row : rows) {
        ++n;
        const QString sql = row.valores.value(0);
        if (!exec(sql, &err)) {
            m_db.rollback();
            return errorReply(QStringLiteral("Comando %1: %2").arg(n).arg(err));
        }
    }
    if (!m_db.commit()) {
        m_db.rollback();
        return errorReply(m_db.lastError().text());
    }
    return QStringLiteral("SUCESSO");
}

} // namespace zx::server
