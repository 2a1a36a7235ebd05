#pragma once
// One SOAP call from envelope to envelope, without any network: reads the request by
// the operation table, checks the client identity (today's, yesterday's or tomorrow's,
// for clock skew at midnight), unpacks with a bounded inflate, runs the operation and
// writes the response or a SOAP fault.
#include "AccountService.h"
#include "CardService.h"
#include "SqlService.h"

#include <QByteArray>
#include <QString>

namespace zx::server {

struct ServerOptions {
    QString basePath = QStringLiteral("/"); // services at basePath + name + ".asmx"
    QString version; // VERSAO of getDatHor
    QString ns = QStringLiteral("http://tempuri.org/");
    qint64 maxRequestBytes = 8 * 1024 * 1024; // headers and body of one request
    qsizetype maxInflateBytes = 16 * 1024 * 1024; // one unpacked parameter
    int idleTimeoutMs = 120000; // a connection that says nothing is closed
    int maxConnections = 256;
    QString operatorCnpj; // the network's own company: its web users act for any company
};

struct SoapOutcome {
    QByteArray body;
    int httpStatus = 200;
    QString operation; // "kv1.getAutoriz" when known
    QString detail; // for the log line: "ok", or why it was refused
};

class ServiceDispatcher {
public:
    ServiceDispatcher(QSqlDatabase db, ServerOptions options, Clock clock);

    // `service` is the name taken from the path ("kv1_F"); `soapAction` the header's
    // value (may be empty).
    SoapOutcome call(const QString &service, const QByteArray &envelope, const QString &soapAction);

    // True for the operations this server answers; the others of the table are
    // declared (and in the WSDL) but answered with a fault.
    static bool served(const QString &service, const QString &operation);
    const ServerOptions &options() const { return m_options; }

private:
    ServerOptions m_options;
    Clock m_clock;
    SqlService m_sql;
    CardService m_cards;
    AccountService m_accounts;
};

} // namespace zx::server
