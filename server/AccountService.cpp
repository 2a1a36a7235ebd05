#include "AccountService.h"

#include "DocDigits.h"
#include "ReplyText.h"
#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"

#include <QSqlQuery>

namespace zx::server {

QString AccountService::validateUser(const QString &requestRecordList)
{
    protocol::TblTemp rows;
    QString err;
    if (!protocol::setTblTempXMLSt(requestRecordList, rows, &err) || rows.isEmpty())
        return errorReply(QStringLiteral("REQUISICAO INVALIDA"));
    const auto &r = rows.first();
    const QString login = protocol::vlrRegByName(r, QStringLiteral("LOGIN_USER")).trimmed();
    const QString password = protocol::vlrRegByName(r, QStringLiteral("SENHA_USER")).trimmed();
    const QString company = digitsOf(protocol::vlrRegByName(r, QStringLiteral("CNPJ_FORNE")));
    if (login.isEmpty())
        return errorReply(QStringLiteral("USUARIO NAO INFORMADO"));
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "SELECT SENHA_USUAR, EMPRE_USUAR FROM KV_USUARIO WHERE upper(LOGIN_USUAR) = upper(?)"));
    q.addBindValue(login);
    if (!q.exec() || !q.next())
        return errorReply(QStringLiteral("USUARIO INEXISTENTE"));
    if (protocol::getMD5(password).compare(q.value(0).toString().trimmed(), Qt::CaseInsensitive)
        != 0)
        return errorReply(QStringLiteral("SENHA DO USUARIO INVALIDA"));
    const QString owner = q.value(1).toString().trimmed();
    if (owner != company && owner != m_operatorCnpj)
        return errorReply(QStringLiteral("USUARIO SEM PERMISSAO PARA ESTA EMPRESA"));
    return QStringLiteral("SUCESSO");
}

int AccountService::lastRegistration(const QString &cnpj)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "SELECT max(CAST(MATRI_FUNCI AS INTEGER)) FROM KV_FUNCIONARIO "
        "WHERE CNPJ_INSTI = ? AND MATRI_FUNCI <> '' AND MATRI_FUNCI NOT GLOB '*[^0-9]*'"));
    q.addBindValue(digitsOf(cnpj));
    if (!q.exec() || !q.next())
        return 0;
    const qint64 v = q.value(0).toLongLong();
    return v > 0 && v < 2147483647 ? int(v) : 0;
}

} // namespace zx::server
