#pragma once
// SQL over the service: runs the stations' statements (getDSXML2, execSQL2, execTrans)
// through the translator, one statement per call, and answers in record lists.
#include <QSqlDatabase>
#include <QString>

namespace zx::server {

class SqlService {
public:
    static constexpr int kMaxRows = 50000;
    static constexpr qsizetype kMaxReplyChars = 32 * 1024 * 1024;

    explicit SqlService(QSqlDatabase db)
        : m_db(std::move(db))
    {
    }

    // A select: its rows as a record list (one field per result column, values in
    // clear, no "<" or ">" inside a value), or errorReply() when refused or failed.
    QString query(const QString &sql);
    // An insert or update: true when it changed at least one row.
    bool exec(const QString &sql, QString *error = nullptr);
    // Every row of the record list holds one statement (its first field); all run in one
    // transaction. "SUCESSO", or errorReply() with nothing changed.
    QString execTrans(const QString &recordList);

private:
    QSqlDatabase m_db;
};

} // namespace zx::server
