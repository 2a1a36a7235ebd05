#include "helper_server.h"

#include "service/protocol/Packing.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/ServiceCatalog.h"
#include "service/protocol/TextRules.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QtTest>

namespace zxtest {

using namespace zx;

DemoServer::DemoServer(const QDateTime &n)
    : now(n)
{
    m_store = std::make_unique<server::ServerStore>(m_dir.filePath(QStringLiteral("demo.db")));
    QString err;
    if (!m_store->open(&err) || !server::seedDemo(m_store->db(), now.date(), &err))
        qFatal("demo database: %s", qPrintable(err));
    server::ServerOptions o;
    o.version = QStringLiteral("3.0.1.7");
    o.operatorCnpj = server::demoFacts().operatorCnpj;
    m_dispatcher
        = std::make_unique<server::ServiceDispatcher>(m_store->db(), o, [this] { return now; });
}

soap::SoapResponse DemoServer::call(
    const QString &service, const QString &operation, const QStringList &texts, QDate idDate)
{
    const protocol::OperationSpec *spec = protocol::ServiceCatalog::operation(service, operation);
    if (!spec)
        qFatal("no operation %s.%s", qPrintable(service), qPrintable(operation));
    QList<soap::SoapArg> args;
    int t = 0;
    for (qsizetype i = 0; i < spec->params.size(); ++i) {
        const auto &p = spec->params[i];
        QVariant v;
        if (i == 0 && spec->identity != protocol::IdentityForm::None) {
            v = protocol::identityArgument(spec->identity, idDate.isValid() ? idDate : now.date());
        } else if (p.type == soap::XsdType::Base64Binary) {
            v = protocol::getZip(texts.value(t++));
        } else if (p.type == soap::XsdType::Boolean) {
            v = false;
        } else {
            v = texts.value(t++);
        }
        args.append({ p.name, p.type, v });
    }
    const auto out = m_dispatcher->call(service,
        soap::writeRequest(QStringLiteral("http://tempuri.org/"), operation, args),
        soap::soapAction(QStringLiteral("http://tempuri.org/"), operation));
    return soap::readResponse(
        out.body, QStringLiteral("http://tempuri.org/"), operation, spec->result);
}

QString DemoServer::callText(
    const QString &service, const QString &operation, const QStringList &texts, QDate idDate)
{
    const auto r = call(service, operation, texts, idDate);
    if (!r.ok())
        return {};
    if (r.value.typeId() == QMetaType::QByteArray)
        return protocol::getUnzip(r.value.toByteArray()).value_or(QString());
    return r.value.toString();
}

server::SoapOutcome DemoServer::raw(
    const QString &service, const QByteArray &envelope, const QString &action)
{
    return m_dispatcher->call(service, envelope, action);
}

QString record(const QStringList &captions, const QStringList &cells)
{
    return protocol::recordListText(captions, cells);
}

QHash<QString, QString> firstRow(const QString &reply)
{
    QHash<QString, QString> h;
    protocol::TblTemp rows;
    if (!protocol::setTblTempXMLSt(protocol::escapeAmpersands(reply), rows) || rows.isEmpty())
        return h;
    for (qsizetype i = 0; i < rows.first().size(); ++i)
        h.insert(rows.first().campos[i], protocol::restoreAmpersands(rows.first().valores[i]));
    return h;
}

ServerProcess::ServerProcess()
{
    const QString bin = qEnvironmentVariable("ZX_SERVER_BIN");
    if (bin.isEmpty())
        return;
    m_proc.start(bin,
        { QStringLiteral("--db"), m_dir.filePath(QStringLiteral("s.db")),
            QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--seed"),
            QStringLiteral("demo"), QStringLiteral("--version"), QStringLiteral("3.0.1.7") });
    if (!m_proc.waitForStarted(10000))
        return;
    QByteArray line;
    QElapsedTimer t;
    t.start();
    while (!line.contains('\n') && t.elapsed() < 15000) {
        m_proc.waitForReadyRead(200);
        line += m_proc.readAllStandardOutput();
    }
    const QByteArray first = line.left(line.indexOf('\n'));
    if (first.startsWith("listening 127.0.0.1:"))
        m_port = quint16(first.mid(first.lastIndexOf(':') + 1).toUInt());
}

ServerProcess::~ServerProcess()
{
    if (m_proc.state() != QProcess::NotRunning) {
        m_proc.terminate();
        if (!m_proc.waitForFinished(5000)) {
            m_proc.kill();
            m_proc.waitForFinished(2000);
        }
    }
}

QString ServerProcess::stderrText()
{
    m_stderr += QString::fromLocal8Bit(m_proc.readAllStandardError());
    return m_stderr;
}

HttpReply http(
    const QString &url, const QByteArray &body, const QString &soapAction, bool post, int timeoutMs)
{
    QNetworkAccessManager nam;
    QNetworkRequest req { QUrl(url) };
    req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(soap::kContentType));
    if (!soapAction.isEmpty())
        req.setRawHeader("SOAPAction", '"' + soapAction.toLatin1() + '"');
    QNetworkReply *reply = post ? nam.post(req, body) : nam.get(req);
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    HttpReply r;
    if (!reply->isFinished()) {
        r.error = QStringLiteral("timeout");
        reply->abort();
    } else {
        r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.body = reply->readAll();
        r.error = reply->errorString();
    }
    reply->deleteLater();
    return r;
}

} // namespace zxtest
