#include "helper_server.h"

#include "DemoSeed.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"
#include "service/ServiceSettings.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace zxe2e {

ServerProcess::ServerProcess() = default;
ServerProcess::~ServerProcess() { stop(); }

bool ServerProcess::start(QString *error)
{
    const QString bin = qEnvironmentVariable("ZX_SERVER_BIN");
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (bin.isEmpty())
        return fail(QStringLiteral("ZX_SERVER_BIN is not set"));
    m_proc = std::make_unique<QProcess>();
    m_proc->setProgram(bin);
    m_proc->setArguments({QStringLiteral("--db"), databasePath(), QStringLiteral("--listen"),
                          QStringLiteral("127.0.0.1:0"), QStringLiteral("--seed"), QStringLiteral("demo")});
    m_proc->start();
    if (!m_proc->waitForStarted(10000))
        return fail(QStringLiteral("cannot start ") + bin);
    QByteArray out;
    QDeadlineTimer deadline(20000);
    static const QRegularExpression re(QStringLiteral("listening [^\\s]*:(\\d+)"));
    while (!deadline.hasExpired()) {
        if (!m_proc->waitForReadyRead(200) && m_proc->state() != QProcess::Running)
            return fail(QStringLiteral("server ended: ") + QString::fromLocal8Bit(m_proc->readAllStandardError()));
        out += m_proc->readAllStandardOutput();
        const auto m = re.match(QString::fromLatin1(out));
        if (m.hasMatch()) {
            m_port = quint16(m.captured(1).toUInt());
            return true;
        }
    }
    return fail(QStringLiteral("no listening line"));
}

void ServerProcess::stop()
{
    if (!m_proc)
        return;
    if (m_proc->state() != QProcess::NotRunning) {
        m_proc->terminate();
        if (!m_proc->waitForFinished(5000)) {
            m_proc->kill();
            m_proc->waitForFinished(2000);
        }
    }
    m_proc.reset();
}

bool ServerProcess::running() const { return m_proc && m_proc->state() == QProcess::Running; }

QString ServerProcess::base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }

QString ServerProcess::databasePath() const { return m_dir.filePath(QStringLiteral("zentrix.sqlite")); }

QStringList ServerProcess::log()
{
    if (m_proc)
        m_err += m_proc->readAllStandardError();
    return QString::fromLocal8Bit(m_err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString Demo::merchantCnpj() { return zx::server::demoFacts().merchantCnpj; }
QString Demo::card() { return zx::server::demoFacts().card.number; }
QString Demo::cardPassword() { return zx::server::demoFacts().card.password; }
QString Demo::cardNoPassword() { return zx::server::demoFacts().cardNoPassword.number; }
QString Demo::merchantUser() { return zx::server::demoFacts().merchantUser; }
QString Demo::merchantUserPassword() { return zx::server::demoFacts().merchantUserPassword; }

bool prepareStation(zx::FakePlatform &fp, const QString &base, int segment, QString *error)
{
    Q_UNUSED(fp);
    zx::ServiceSettings::setBaseOverride(base);
    zx::StationSettings s;
    if (!s.setCodigo(1) || !s.setParcelar(true) || !s.setIdSeg(QString::number(segment))
        || !s.setIdMunic(QStringLiteral("1"))) {
        if (error)
            *error = QStringLiteral("station settings");
        return false;
    }
    const auto &f = zx::server::demoFacts();
    zx::TDM dm;
    if (!dm.criaTabelas()) {
        if (error)
            *error = dm.ultimoErro();
        return false;
    }
    zx::DbfTable &p = dm.CDSParamet;
    p.close();
    const bool ok = p.open() && p.append() && p.setAsString(QStringLiteral("CNPJ_FORNE"), f.merchantCnpj)
                    && p.setAsString(QStringLiteral("DESCR_FORN"), f.merchantName)
                    && p.setAsString(QStringLiteral("FANTA_FORN"), f.merchantTrade) && p.post();
    if (!ok && error)
        *error = p.lastError();
    p.close();
    return ok;
}

int serverSales(const QString &dbPath, const QString &situation, const QString &card)
{
    const QString name = QUuid::createUuid().toString();
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT count(*) FROM KV_VENDA WHERE SITUA_VENDA = ? AND (? = '' OR CARTA_VENDA = ?) "
                                     "AND DATA_VENDA = date('now', 'localtime')"));
            q.addBindValue(situation);
            q.addBindValue(card);
            q.addBindValue(card);
            if (q.exec() && q.next())
                n = q.value(0).toInt();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return n;
}

} // namespace zxe2e
