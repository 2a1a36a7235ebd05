#include "config/StationHttpClient.h"

#include "common/core/Cp1252.h"
#include "config/StationSettings.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace zx {

StationHttpClient::StationHttpClient(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    apply();
}

void StationHttpClient::setReadTimeout(int ms)
{
    m_readTimeout = ms;
    m_manager->setTransferTimeout(ms);
}

void StationHttpClient::aplicaConexao(const StationSettings &settings)
{
    setReadTimeout(settings.tempLimit() * 1000);
    m_useProxy = settings.proxyUtil();
    if (m_useProxy) {
        // Empty keys leave what was applied before, as the settings are edited by hand.
        const QString host = settings.proxyServ();
        if (!host.isEmpty())
            m_host = host;
        bool ok = false;
        const QString portText = settings.proxyPort().trimmed();
        const uint port = portText.toUInt(&ok, 10);
        if (!portText.isEmpty() && ok && port <= 65535)
            m_port = quint16(port);
        const QString user = settings.proxyUser();
        if (!user.isEmpty())
            m_user = user;
        const QString pass = settings.proxyPass();
        if (!pass.isEmpty())
            m_password = pass;
    }
    m_basic = settings.proxyAutBas();
    apply();
}

QNetworkProxy StationHttpClient::proxy() const
{
    return m_manager->proxy();
}

void StationHttpClient::apply()
{
    m_manager->setTransferTimeout(m_readTimeout);
    if (!m_useProxy || m_host.isEmpty()) {
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    }
    QNetworkProxy p(QNetworkProxy::HttpProxy, m_host, m_port);
    if (m_basic) {
        p.setUser(m_user);
        p.setPassword(m_password);
    }
    m_manager->setProxy(p);
}

QNetworkRequest StationHttpClient::request(const QUrl &url) const
{
    QNetworkRequest r(url);
    r.setTransferTimeout(m_readTimeout);
    if (m_useProxy && !m_host.isEmpty() && m_basic && url.scheme() == QLatin1String("http")) {
        const QByteArray token = cp1252::encode(m_user + QLatin1Char(':') + m_password).toBase64();
        r.setRawHeader("Proxy-Authorization", QByteArray("Basic ") + token);
    }
    return r;
}

QNetworkReply *StationHttpClient::get(const QUrl &url)
{
    return m_manager->get(request(url));
}

} // namespace zx
