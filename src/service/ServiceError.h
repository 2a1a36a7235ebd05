#pragma once
// A failure of one server call: the transport, the HTTP layer, the SOAP layer or the
// reply's content. Raised inside the service client and caught by the operation that
// made the call; it never reaches a screen.
#include <QString>
#include <stdexcept>

namespace zx {

class ServiceError : public std::runtime_error {
public:
    enum class Kind {
        Connection, // refused, unreachable, reset, name not found
        Timeout, // a phase (connect, send, receive) waited longer than allowed
        Http, // an HTTP status other than 200 without a SOAP fault
        Fault, // a SOAP fault returned by the server
        Reply, // the reply could not be read (envelope, packing, record list)
        Internal, // anything else raised on the way (no request or a broken one)
    };

    ServiceError(Kind kind, const QString &message);

    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }
    // Short name of the kind, used in the error texts that callers may show.
    QString kindName() const;
    static QString kindName(Kind kind);

private:
    Kind m_kind;
    QString m_message;
};

} // namespace zx
