#pragma once
// The server's SQLite database (WAL): one connection per store object, the network's
// schema created on open.
#include <QSqlDatabase>
#include <QString>

namespace zx::server {

class ServerStore {
public:
    explicit ServerStore(QString path);
    ~ServerStore();
    ServerStore(const ServerStore &) = delete;
    ServerStore &operator=(const ServerStore &) = delete;

    bool open(QString *error = nullptr);
    QSqlDatabase db() const { return QSqlDatabase::database(m_connection, false); }
    QString path() const { return m_path; }
    // True when the database holds no company yet (a seed may fill it).
    bool isEmpty() const;

private:
    QString m_path;
    QString m_connection;
};

} // namespace zx::server
