#pragma once
// A zentrix-server of its own for each test: an ephemeral loopback port, a temporary
// database with the demo network, stopped (or killed) with the object. And the demo
// merchant station prepared in a FakePlatform's folders.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zx {
class FakePlatform;
}

namespace zxe2e {

class ServerProcess {
public:
    ServerProcess();
    ~ServerProcess();
    // Starts the server (ZX_SERVER_BIN) and waits for its "listening" line.
    bool start(QString *error = nullptr);
    void stop();
    bool running() const;
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:PORT/"
    QString base() const;
    QString databasePath() const;
    // Lines the server logged so far (one per call).
    QStringList log();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proc;
    quint16 m_port = 0;
    QByteArray m_err;
};

// The demo facts the tests use (same values the server seeds).
struct Demo {
    static QString merchantCnpj();
    static QString card();          // active, with password
    static QString cardPassword();
    static QString cardNoPassword();
    static QString merchantUser();
    static QString merchantUserPassword();
};

// Writes kv.ini / configura.ini (merchant station, installments allowed, segment 1,
// municipality 1, service base) and the company row of PARAMETRO.
bool prepareStation(zx::FakePlatform &fp, const QString &base, int segment = 1, QString *error = nullptr);

// Counts rows of the server's KV_VENDA (situation, card) through sqlite3-free SQL: the
// server's database is read with Qt's SQLite driver.
int serverSales(const QString &dbPath, const QString &situation, const QString &card = {});

} // namespace zxe2e
