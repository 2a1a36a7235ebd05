#pragma once
// SOAP 1.1 document/literal envelopes, without any network: the request element is named
// after the operation, its children after the parameters, all in the service namespace;
// the reply is <op>Response holding <op>Result. Envelopes are written in UTF-8.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace zx::soap {

inline constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr char kDefaultNamespace[] = "http://tempuri.org/";
inline constexpr char kContentType[] = "text/xml; charset=utf-8";

// XML Schema types of parameters and results. None: an operation without result.
enum class XsdType { None, String, Boolean, Int, Double, DateTime, Base64Binary };

QString xsdTypeName(XsdType type); // "string", "boolean", ... ("" for None)

// The C++ value of each type inside a QVariant: QString, bool, int, double, QDateTime,
// QByteArray. A null QVariant is an absent value (xsi:nil).
QString encodeValue(XsdType type, const QVariant &value);
std::optional<QVariant> decodeValue(XsdType type, const QString &text, QString *error = nullptr);

// SOAPAction header value: the namespace immediately followed by the operation.
QString soapAction(const QString &ns, const QString &operation);

struct SoapArg {
    QString name;
    XsdType type = XsdType::String;
    QVariant value;
};

struct SoapFault {
    QString code = QStringLiteral("soap:Server"); // "soap:Client" for a bad request
    QString string;
    QString actor;
    QString detail; // text content of <detail>
    bool operator==(const SoapFault &) const = default;
};

// --- request (client writes, server reads) --------------------------------------------

QByteArray writeRequest(const QString &ns, const QString &operation, const QList<SoapArg> &args);

struct SoapRequest {
    QString ns;
    QString operation;
    struct Part {
        QString name;
        QString text; // raw element text; decode with decodeValue
        bool nil = false;
    };
    QList<Part> parts; // in document order

    const Part *part(const QString &name) const;
};

// Strict: SOAP 1.1 envelope, a body with exactly one element, no DTD.
std::optional<SoapRequest> readRequest(const QByteArray &envelope, QString *error = nullptr);

// --- response (server writes, client reads) -------------------------------------------

QByteArray writeResponse(
    const QString &ns, const QString &operation, XsdType resultType, const QVariant &result);
QByteArray writeFault(const SoapFault &fault);

struct SoapResponse {
    enum Kind { Result, Fault, Invalid };
    Kind kind = Invalid;
    QVariant value; // Result: the decoded result (null when absent or nil)
    SoapFault fault; // Fault
    QString error; // Invalid: why the envelope was refused

    bool ok() const { return kind == Result; }
};

// Reads the reply of `operation` in namespace `ns`. A fault is recognised whatever the
// HTTP status; anything but the expected response element or a fault is Invalid.
SoapResponse readResponse(
    const QByteArray &envelope, const QString &ns, const QString &operation, XsdType resultType);

} // namespace zx::soap
