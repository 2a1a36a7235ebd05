#pragma once
// Web users and registration numbers: kv3 getUserOk and servico getUltMatr.
#include <QSqlDatabase>
#include <QString>

namespace zx::server {

class AccountService {
public:
    AccountService(QSqlDatabase db, QString operatorCnpj)
        : m_db(std::move(db))
        , m_operatorCnpj(std::move(operatorCnpj))
    {
    }

    // The request (LOGIN_USER, SENHA_USER, CNPJ_FORNE, TIPO_AUTOR) as a record list.
    // "SUCESSO" when the login exists, its password's digest matches and it belongs to
    // the company (the network's own users act for any company); otherwise an error
    // text naming the user, so that the station forgets a cached login.
    QString validateUser(const QString &requestRecordList);
    // The highest numeric registration number of the institution, 0 without one.
    int lastRegistration(const QString &cnpj);

private:
    QSqlDatabase m_db;
    QString m_operatorCnpj;
};

} // namespace zx::server
