#pragma once
// The station's plain HTTP client (the legacy web pages of the network). Unlike the
// service client it takes its read time-out and proxy from the station file.
#include <QNetworkProxy>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace zx {

class StationSettings;

class StationHttpClient : public QObject {
    Q_OBJECT
public:
    explicit StationHttpClient(QObject *parent = nullptr);

    QNetworkAccessManager *manager() const { return m_manager; }

    // Applies TEMPLIMIT (seconds, default 60) as the read time-out and, when
    // PROXY_UTIL is on, the proxy host, port, user and password that are not empty;
    // with PROXY_UTIL off no proxy is used. Basic authentication follows PROXY_AUTBAS.
    void aplicaConexao(const StationSettings &settings);

    // Milliseconds without any data before a transfer is abandoned.
    int readTimeout() const { return m_readTimeout; }
    void setReadTimeout(int ms);

    bool proxyUsed() const { return m_useProxy; }
    QString proxyHost() const { return m_host; }
    quint16 proxyPort() const { return m_port; }
    QString proxyUser() const { return m_user; }
    QString proxyPassword() const { return m_password; }
    bool basicAuthentication() const { return m_basic; }
    // What the manager uses now.
    QNetworkProxy proxy() const;

    // A request with the read time-out; through a proxy with basic authentication the
    // credentials go with the first request instead of waiting for a challenge.
    QNetworkRequest request(const QUrl &url) const;
    QNetworkReply *get(const QUrl &url);

private:
    void apply();

    QNetworkAccessManager *m_manager;
    int m_readTimeout = 60000;
    bool m_useProxy = false;
    bool m_basic = false;
    QString m_host;
    quint16 m_port = 0;
    QString m_user;
    QString m_password;
};

} // namespace zx
