#include "ServerStore.h"

#include "ServerSchema.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>

namespace zx::server {

namespace {
QAtomicInt g_connections;
}

ServerStore::ServerStore(QString path)
    : m_path(std::move(path))
    , m_connection(QStringLiteral("zxserver-%1").arg(g_connections.fetchAndAddRelaxed(1)))
{
}

ServerStore::~ServerStore()
{
    {
        QSqlDatabase d = db();
        if (d.isValid())
            d.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool ServerStore::open(QString *error)
{
    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    d.setDatabaseName(m_path);
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!d.open()) {
        if (error)
            *error = d.lastError().text();
        return false;
    }
    QSqlQuery q(d);
    QStringList statements = { QStringLiteral("PRAGMA journal_mode=WAL"),
        QStringLiteral("PRAGMA synchronous=NORMAL") };
    statements += ServerSchema::ddl();
    for (const auto &s : statements) {
        if (!q.exec(s)) {
            if (error)
                *error = q.lastError().text() + QStringLiteral(" (") + s + u')';
            return false;
        }
    }
    return true;
}

bool ServerStore::isEmpty() const
{
    QSqlQuery q(db());
    return q.exec(QStringLiteral("SELECT count(*) FROM KV_PESSOA")) && q.next()
        && q.value(0).toLongLong() == 0;
}

} // namespace zx::server
