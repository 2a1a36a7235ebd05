// Authorizations per second of zentrix-server on loopback, four client connections each
// sending one sale after another, next to the rate at which plain SQLite (same schema,
// same pragmas, one transaction per row) inserts the same sale rows. One result line.
#include "DemoSeed.h"
#include "ServerStore.h"
#include "ZentrixServer.h"
#include "common/core/Money.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/SoapCodec.h"
#include "service/protocol/TRegist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSemaphore>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace zx;

namespace {

constexpr int kConnections = 4;
constexpr int kPerConnection = 500;

class ServerThread : public QThread {
public:
    explicit ServerThread(QString db)
        : m_db(std::move(db))
    {
    }
    quint16 port = 0;
    QSemaphore ready;

protected:
    void run() override
    {
        server::ServerStore store(m_db);
        if (store.open()) {
            server::ZentrixServer srv(
                store.db(), server::ServerOptions(), [] { return QDateTime::currentDateTime(); });
            srv.setLogging(false);
            port = srv.start(QHostAddress::LocalHost, 0);
            ready.release();
            exec();
        } else {
            ready.release();
        }
    }

private:
    QString m_db;
};

QString saleRecord(int n)
{
    const server::DemoFacts &f = server::demoFacts();
    // A distinct amount per sale: none is a duplicate of another.
    const QString amount = Money::fromCents(100 + n).format(2, true);
    return protocol::recordListText(
        { "NUMER_CARTA", "SEMD5_FUNCI", "VALOR_VENDA", "PARCE_VENDA", "CNPJ_FORNE", "DATA_VENDA" },
        { f.card.number, f.card.password, amount, "1", f.merchantCnpj,
            QDate::currentDate().toString("dd/MM/yyyy") });
}

QByteArray saleEnvelope(int n)
{
    return soap::writeRequest(soap::kDefaultNamespace, "getAutoriz",
        { { "idCliente", soap::XsdType::Base64Binary,
              protocol::identityArgument(
                  protocol::IdentityForm::HashPacked, QDate::currentDate()) },
            { "prmAutor", soap::XsdType::Base64Binary, protocol::getZip(saleRecord(n)) } });
}

bool prepareDatabase(const QString &path, QString *error)
{
    server::ServerStore store(path);
    if (!store.open(error) || !server::seedDemo(store.db(), QDate::currentDate(), error))
        return false;
    QSqlQuery q(store.db());
    return q.exec("UPDATE KV_CARTAO SET LIMIT_CARTA = 100000000000 WHERE NUMER_CARTA = '"
        + server::demoFacts().card.number + "'");
}

double rawInsertRate(const QString &path, int rows)
{
    server::ServerStore store(path);
    if (!store.open())
        return 0;
    QSqlDatabase db = store.db();
    QElapsedTimer t;
    t.start();
    for (int n = 0; n < rows; ++n) {
        QSqlQuery q(db);
        q.exec("BEGIN IMMEDIATE");
        q.prepare("INSERT INTO KV_VENDA (AUTOR_VENDA, FORNE_VENDA, CARTA_VENDA, CNPJ_INSTI, "
                  "CPF_FUNCI, DATA_VENDA, "
                  "VENCI_VENDA, HORA_VENDA, VALOR_VENDA, PARCE_VENDA, SITUA_VENDA, COMD5_VENDA, "
                  "FUNCI_VENDA, "
                  "TIPO_VENDA, DTEST_VENDA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 'A', '1', '0', "
                  "'0', ?)");
        const QString day = QDate::currentDate().toString("yyyy-MM-dd");
        for (const QVariant &v :
            QVariantList { QString::number(900000000 + n).rightJustified(12, '0'),
                server::demoFacts().merchantCnpj, server::demoFacts().card.number,
                server::demoFacts().payrollCnpj, "31855421700", day, day, "10:00:00",
                qint64(100 + n), day })
            q.addBindValue(v);
        q.exec();
        QSqlQuery u(db);
        u.prepare("UPDATE KV_CARTAO SET ACUMU_CARTA = ACUMU_CARTA + ? WHERE NUMER_CARTA = ?");
        u.addBindValue(qint64(100 + n));
        u.addBindValue(server::demoFacts().card.number);
        u.exec();
        QSqlQuery(db).exec("COMMIT");
    }
    return rows / (t.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QString error;
    const QString dbPath = dir.filePath("bench.db");
    if (!prepareDatabase(dbPath, &error) || !prepareDatabase(dir.filePath("raw.db"), &error)) {
        std::fprintf(stderr, "server_authorizations: %s\n", qPrintable(error));
        return 1;
    }

    ServerThread server(dbPath);
    server.start();
    server.ready.acquire();
    if (server.port == 0) {
        std::fprintf(stderr, "server_authorizations: the server did not start\n");
        return 1;
    }
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/kv1.asmx").arg(server.port));

    // Envelopes are built before the clock starts: the rate is the server's.
    QList<QByteArray> bodies;
    for (int n = 0; n < kConnections * kPerConnection; ++n)
        bodies << saleEnvelope(n);

    int done = 0, authorized = 0;
    QList<QNetworkAccessManager *> nams;
    QElapsedTimer t;
    std::function<void(QNetworkAccessManager *, int, int)> send
        = [&](QNetworkAccessManager *nam, int conn, int i) {
              QNetworkRequest req(url);
              req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(soap::kContentType));
              req.setRawHeader("SOAPAction", "\"http://tempuri.org/getAutoriz\"");
              QNetworkReply *reply = nam->post(req, bodies[conn * kPerConnection + i]);
              QObject::connect(reply, &QNetworkReply::finished, [&, nam, conn, i, reply] {
                  const auto r = soap::readResponse(reply->readAll(), soap::kDefaultNamespace,
                      "getAutoriz", soap::XsdType::Base64Binary);
                  reply->deleteLater();
                  if (r.ok()) {
                      protocol::TblTemp rows;
                      const auto text = protocol::getUnzip(r.value.toByteArray());
                      if (text && protocol::setTblTempXMLSt(*text, rows) && !rows.isEmpty()
                          && protocol::vlrRegByName(rows.first(), "AUTOR_VENDA").toLongLong() > 0)
                          ++authorized;
                  }
                  ++done;
                  if (i + 1 < kPerConnection)
                      send(nam, conn, i + 1);
                  else if (done == kConnections * kPerConnection)
                      app.quit();
              });
          };
    t.start();
    for (int c = 0; c < kConnections; ++c) {
        nams << new QNetworkAccessManager(&app);
        send(nams.last(), c, 0);
    }
    app.exec();
    const double seconds = t.nsecsElapsed() / 1e9;
    server.quit();
    server.wait();

    const int total = kConnections * kPerConnection;
    const double rate = total / seconds;
    const double raw = rawInsertRate(dir.filePath("raw.db"), total);
    std::printf("server_authorizations: %d of %d sales authorized over %d loopback connections in "
                "%.2f s = %.0f "
                "authorizations/s; plain SQLite insert of the same rows (one transaction each) "
                "%.0f rows/s; "
                "server at %.0f%% of plain inserts\n",
        authorized, total, kConnections, seconds, rate, raw, raw > 0 ? 100.0 * rate / raw : 0.0);
    return authorized == total ? 0 : 1;
}
