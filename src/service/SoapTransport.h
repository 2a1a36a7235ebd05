#pragma once
// HTTP POST of one SOAP 1.1 request. The call looks synchronous to its caller: a local
// event loop runs until the reply is complete, letting windows paint (the wait window)
// but holding back user input, so no second action can start while a call is in flight.
#include <QByteArray>
#include <QUrl>

namespace zx {

// Each phase of a call waits at most this long for progress: connecting, sending the
// request, receiving the reply (every chunk received re-arms the receive wait).
struct SoapTimeouts {
    static constexpr int kDefaultMs = 180000;
    int connectMs = kDefaultMs;
    int sendMs = kDefaultMs;
    int receiveMs = kDefaultMs;
};

class SoapTransport {
public:
    // Upper bound of a reply body; a larger reply is refused as invalid.
    static constexpr qint64 kMaxReplyBytes = 64 * 1024 * 1024;

    struct Reply {
        int status = 0; // HTTP status code
        QByteArray contentType;
        QByteArray body;
    };

    // Time-outs taken by every new transport; tests shorten them.
    static SoapTimeouts defaultTimeouts();
    static void setDefaultTimeouts(const SoapTimeouts &timeouts);

    SoapTransport();
    SoapTimeouts timeouts() const { return m_timeouts; }
    void setTimeouts(const SoapTimeouts &timeouts) { m_timeouts = timeouts; }

    // Posts the envelope with the given SOAP action. Returns whatever HTTP reply the
    // server gave (200 or not: a fault travels with status 500 and the caller reads
    // it). Throws ServiceError (Connection, Timeout, Reply) when no complete HTTP
    // reply arrived.
    Reply post(
        const QUrl &endpoint, const QByteArray &soapAction, const QByteArray &envelope) const;

private:
    SoapTimeouts m_timeouts;
};

} // namespace zx
