#include "service/protocol/SoapCodec.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <functional>
#include <limits>

namespace zx::soap {

namespace {

const QString kEnv = QString::fromLatin1(kEnvelopeNamespace);
const QString kXsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
const QString kXsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");
const QString kSoap12 = QStringLiteral("http://www.w3.org/2003/05/soap-envelope");

template <typename T> std::optional<T> fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Element text. A CR is written as a character reference so that it survives the
// reader's line-end normalisation (record lists end their lines with CR LF); characters
// XML 1.0 cannot carry become "?".
void writeText(QXmlStreamWriter &w, const QString &text)
{
    QString segment;
    segment.reserve(text.size());
    const auto flush = [&] {
        if (!segment.isEmpty())
            w.writeCharacters(segment);
        segment.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        qsizetype width = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()
            && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            width = 2;
        } else if (text.at(i).isSurrogate()) {
            c = 0xFFFF; // unpaired: not a character
        }
        if (c == 0xD) {
            flush();
            w.writeEntityReference(QStringLiteral("#13"));
        } else if (!isXmlChar(c)) {
            segment.append(QLatin1Char('?'));
        } else {
            segment.append(text.mid(i, width));
        }
        i += width - 1;
    }
    flush();
}

void writeValueElement(QXmlStreamWriter &w, const QString &ns, const QString &name, XsdType type,
    const QVariant &value)
{
    w.writeStartElement(ns, name);
    if (value.isNull() && type != XsdType::None)
        w.writeAttribute(kXsi, QStringLiteral("nil"), QStringLiteral("true"));
    else
        writeText(w, encodeValue(type, value));
    w.writeEndElement();
}

QByteArray envelope(const std::function<void(QXmlStreamWriter &)> &body)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kEnv, QStringLiteral("soap"));
    w.writeNamespace(kXsi, QStringLiteral("xsi"));
    w.writeNamespace(kXsd, QStringLiteral("xsd"));
    w.writeStartElement(kEnv, QStringLiteral("Envelope"));
    w.writeStartElement(kEnv, QStringLiteral("Body"));
    body(w);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QString where(const QXmlStreamReader &xml)
{
    return QStringLiteral(" (linha %1, coluna %2)").arg(xml.lineNumber()).arg(xml.columnNumber());
}

bool isNil(const QXmlStreamReader &xml)
{
    const QStringView nil = xml.attributes().value(kXsi, QStringLiteral("nil"));
    return nil == u"true" || nil == u"1";
}

// Walks to the first element inside soap:Body. Refuses DTDs, other envelopes and an
// empty body; on success the reader stands on that element's start.
bool enterBody(QXmlStreamReader &xml, QString *error)
{
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            if (error)
                *error = QStringLiteral("envelope com DTD não é aceito");
            return false;
        }
        if (token == QXmlStreamReader::StartElement)
            break;
    }
    if (xml.hasError() || !xml.isStartElement()) {
        if (error)
            *error = xml.hasError()
                ? QStringLiteral("XML inválido: ") + xml.errorString() + where(xml)
                : QStringLiteral("envelope vazio");
        return false;
    }
    if (xml.name() != u"Envelope" || xml.namespaceUri() != kEnv) {
        if (error)
            *error = xml.namespaceUri() == kSoap12
                ? QStringLiteral("SOAP 1.2 não é suportado")
                : QStringLiteral("elemento inesperado no lugar do envelope SOAP 1.1: ")
                    + xml.name().toString();
        return false;
    }
    bool body = false;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kEnv && xml.name() == u"Header" && !body) {
            xml.skipCurrentElement();
            continue;
        }
        if (xml.namespaceUri() == kEnv && xml.name() == u"Body") {
            body = true;
            break;
        }
        if (error)
            *error = QStringLiteral("elemento inesperado no envelope: ") + xml.name().toString();
        return false;
    }
    if (!body) {
        if (error)
            *error = xml.hasError()
                ? QStringLiteral("XML inválido: ") + xml.errorString() + where(xml)
                : QStringLiteral("envelope sem corpo");
        return false;
    }
    if (!xml.readNextStartElement()) {
        if (error)
            *error = xml.hasError()
                ? QStringLiteral("XML inválido: ") + xml.errorString() + where(xml)
                : QStringLiteral("corpo SOAP vazio");
        return false;
    }
    return true;
}

// After the body's single element: nothing else may follow but the closing tags.
bool leaveBody(QXmlStreamReader &xml, QString *error)
{
    if (xml.readNextStartElement()) {
        if (error)
            *error = QStringLiteral("mais de um elemento no corpo SOAP");
        return false;
    }
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (error)
                *error = QStringLiteral("elemento inesperado depois do corpo SOAP");
            return false;
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = QStringLiteral("XML inválido: ") + xml.errorString() + where(xml);
        return false;
    }
    return true;
}

} // namespace

QString xsdTypeName(XsdType type)
{
    switch (type) {
    case XsdType::None:
        return {};
    case XsdType::String:
        return QStringLiteral("string");
    case XsdType::Boolean:
        return QStringLiteral("boolean");
    case XsdType::Int:
        return QStringLiteral("int");
    case XsdType::Double:
        return QStringLiteral("double");
    case XsdType::DateTime:
        return QStringLiteral("dateTime");
    case XsdType::Base64Binary:
        return QStringLiteral("base64Binary");
    }
    return {};
}

QString encodeValue(XsdType type, const QVariant &value)
{
    switch (type) {
    case XsdType::None:
        return {};
    case XsdType::String:
        return value.toString();
    case XsdType::Boolean:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case XsdType::Int:
        return QString::number(value.toInt());
    case XsdType::Double: {
        const double d = value.toDouble();
        if (std::isnan(d))
            return QStringLiteral("NaN");
        if (std::isinf(d))
            return d > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case XsdType::DateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case XsdType::Base64Binary:
        return QString::fromLatin1(value.toByteArray().toBase64());
    }
    return {};
}

std::optional<QVariant> decodeValue(XsdType type, const QString &text, QString *error)
{
    const QString t = text.trimmed(); // xsd whitespace "collapse" for every type but string
    const auto bad = [&] {
        return fail<QVariant>(
            error, QStringLiteral("valor %1 inválido: \"%2\"").arg(xsdTypeName(type), t.left(40)));
    };
    switch (type) {
    case XsdType::None:
        return QVariant();
    case XsdType::String:
        return QVariant(text);
    case XsdType::Boolean:
        if (t == u"true" || t == u"1")
            return QVariant(true);
        if (t == u"false" || t == u"0")
            return QVariant(false);
        return bad();
    case XsdType::Int: {
        bool ok = false;
        const int v = t.toInt(&ok, 10);
        return ok ? std::optional<QVariant>(QVariant(v)) : bad();
    }
    case XsdType::Double: {
        if (t == u"INF")
            return QVariant(std::numeric_limits<double>::infinity());
        if (t == u"-INF")
            return QVariant(-std::numeric_limits<double>::infinity());
        if (t == u"NaN")
            return QVariant(std::numeric_limits<double>::quiet_NaN());
        bool ok = false;
        const double v = QLocale::c().toDouble(t, &ok);
        return ok ? std::optional<QVariant>(QVariant(v)) : bad();
    }
    case XsdType::DateTime: {
        const QDateTime v = QDateTime::fromString(t, Qt::ISODateWithMs);
        return v.isValid() ? std::optional<QVariant>(QVariant(v)) : bad();
    }
    case XsdType::Base64Binary: {
        QByteArray data = t.toLatin1();
        data.replace(' ', QByteArray())
            .replace('\n', QByteArray())
            .replace('\r', QByteArray())
            .replace('\t', QByteArray());
        auto decoded
            = QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
            return bad();
        return QVariant(decoded.decoded);
    }
    }
    return bad();
}

QString soapAction(const QString &ns, const QString &operation)
{
    return ns + operation;
}

const SoapRequest::Part *SoapRequest::part(const QString &name) const
{
    for (const Part &p : parts) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

QByteArray writeRequest(const QString &ns, const QString &operation, const QList<SoapArg> &args)
{
    return envelope([&](QXmlStreamWriter &w) {
        // Declared on the operation element itself so that it and its parts are qualified
        // without a prefix, as document/literal servers write them.
        w.writeStartElement(operation);
        w.writeDefaultNamespace(ns);
        for (const SoapArg &a : args)
            writeValueElement(w, ns, a.name, a.type, a.value);
        w.writeEndElement();
    });
}

std::optional<SoapRequest> readRequest(const QByteArray &bytes, QString *error)
{
    QXmlStreamReader xml(bytes);
    if (!enterBody(xml, error))
        return std::nullopt;
    SoapRequest req;
    req.ns = xml.namespaceUri().toString();
    req.operation = xml.name().toString();
    while (xml.readNextStartElement()) {
        SoapRequest::Part p;
        p.name = xml.name().toString();
        if (!xml.namespaceUri().isEmpty() && xml.namespaceUri() != req.ns)
            return fail<SoapRequest>(
                error, QStringLiteral("parâmetro fora do namespace: ") + p.name);
        p.nil = isNil(xml);
        p.text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml.hasError())
            break;
        req.parts.append(p);
    }
    if (xml.hasError())
        return fail<SoapRequest>(
            error, QStringLiteral("XML inválido: ") + xml.errorString() + where(xml));
    if (!leaveBody(xml, error))
        return std::nullopt;
    return req;
}

QByteArray writeResponse(
    const QString &ns, const QString &operation, XsdType resultType, const QVariant &result)
{
    return envelope([&](QXmlStreamWriter &w) {
        w.writeStartElement(operation + QLatin1String("Response"));
        w.writeDefaultNamespace(ns);
        if (resultType != XsdType::None)
            writeValueElement(w, ns, operation + QLatin1String("Result"), resultType, result);
        w.writeEndElement();
    });
}

QByteArray writeFault(const SoapFault &fault)
{
    return envelope([&](QXmlStreamWriter &w) {
        w.writeStartElement(kEnv, QStringLiteral("Fault"));
        // The fault's children are unqualified.
        w.writeStartElement(QStringLiteral("faultcode"));
        writeText(w, fault.code);
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("faultstring"));
        writeText(w, fault.string);
        w.writeEndElement();
        if (!fault.actor.isEmpty()) {
            w.writeStartElement(QStringLiteral("faultactor"));
            writeText(w, fault.actor);
            w.writeEndElement();
        }
        if (!fault.detail.isEmpty()) {
            w.writeStartElement(QStringLiteral("detail"));
            writeText(w, fault.detail);
            w.writeEndElement();
        }
        w.writeEndElement();
    });
}

SoapResponse readResponse(
    const QByteArray &bytes, const QString &ns, const QString &operation, XsdType resultType)
{
    SoapResponse r;
    const auto invalid = [&](const QString &why) {
        r.kind = SoapResponse::Invalid;
        r.value.clear();
        r.error = why;
        return r;
    };
    QXmlStreamReader xml(bytes);
    if (!enterBody(xml, &r.error))
        return invalid(r.error);

    if (xml.name() == u"Fault" && xml.namespaceUri() == kEnv) {
        r.kind = SoapResponse::Fault;
        while (xml.readNextStartElement()) {
            const QString name = xml.name().toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (name == u"faultcode")
                r.fault.code = text.trimmed();
            else if (name == u"faultstring")
                r.fault.string = text;
            else if (name == u"faultactor")
                r.fault.actor = text;
            else if (name == u"detail")
                r.fault.detail = text;
        }
    } else {
        const QString expected = operation + QLatin1String("Response");
        if (xml.name() != expected || xml.namespaceUri() != ns)
            return invalid(
                QStringLiteral("resposta inesperada: {%1}%2 em vez de {%3}%4")
                    .arg(xml.namespaceUri().toString(), xml.name().toString(), ns, expected));
        r.kind = SoapResponse::Result;
        bool found = false;
        const QString resultName = operation + QLatin1String("Result");
        while (xml.readNextStartElement()) {
            if (xml.name() != resultName || found || resultType == XsdType::None) {
                xml.skipCurrentElement();
                continue;
            }
            found = true;
            const bool nil = isNil(xml);
            const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (xml.hasError())
                break;
            if (!nil) {
                QString why;
                const auto v = decodeValue(resultType, text, &why);
                if (!v)
                    return invalid(why);
                r.value = *v;
            }
        }
        if (!xml.hasError() && !found && resultType != XsdType::None
            && resultType != XsdType::String && resultType != XsdType::Base64Binary)
            return invalid(QStringLiteral("resposta sem resultado: ") + resultName);
    }
    if (xml.hasError())
        return invalid(QStringLiteral("XML inválido: ") + xml.errorString() + where(xml));
    QString why;
    if (!leaveBody(xml, &why))
        return invalid(why);
    return r;
}

} // namespace zx::soap
