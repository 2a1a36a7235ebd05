#include "WsdlWriter.h"

#include "service/protocol/ServiceCatalog.h"

#include <QXmlStreamWriter>

namespace zx::server {

namespace {
const QString kWsdl = QStringLiteral("http://schemas.xmlsoap.org/wsdl/");
const QString kSoap = QStringLiteral("http://schemas.xmlsoap.org/wsdl/soap/");
const QString kXsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");

void element(QXmlStreamWriter &w, const QString &name, soap::XsdType type)
{
    w.writeStartElement(kXsd, QStringLiteral("element"));
    const bool value = type == soap::XsdType::Boolean || type == soap::XsdType::Int
        || type == soap::XsdType::Double || type == soap::XsdType::DateTime;
    w.writeAttribute(
        QStringLiteral("minOccurs"), value ? QStringLiteral("1") : QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("maxOccurs"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("name"), name);
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("s:") + soap::xsdTypeName(type));
    w.writeEndElement();
}

void wrapper(QXmlStreamWriter &w, const QString &name, const QList<protocol::ParamSpec> &params)
{
    w.writeStartElement(kXsd, QStringLiteral("element"));
    w.writeAttribute(QStringLiteral("name"), name);
    w.writeStartElement(kXsd, QStringLiteral("complexType"));
    if (!params.isEmpty()) {
        w.writeStartElement(kXsd, QStringLiteral("sequence"));
        for (const auto &p : params)
            element(w, p.name, p.type);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
}
} // namespace

QByteArray writeWsdl(const QString &serviceName, const QString &ns, const QString &location)
{
    const protocol::ServiceSpec *service = protocol::ServiceCatalog::service(serviceName);
    if (!service)
        return {};
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeNamespace(kWsdl, QStringLiteral("wsdl"));
    w.writeNamespace(kSoap, QStringLiteral("soap"));
    w.writeNamespace(kXsd, QStringLiteral("s"));
    w.writeNamespace(ns, QStringLiteral("tns"));
    w.writeStartElement(kWsdl, QStringLiteral("definitions"));
    w.writeAttribute(QStringLiteral("targetNamespace"), ns);

    w.writeStartElement(kWsdl, QStringLiteral("types"));
    w.writeStartElement(kXsd, QStringLiteral("schema"));
    w.writeAttribute(QStringLiteral("elementFormDefault"), QStringLiteral("qualified"));
    w.writeAttribute(QStringLiteral("targetNamespace"), ns);
    for (const auto &op : service->operations) {
        wrapper(w, op.name, op.params);
        QList<protocol::ParamSpec> result;
        if (op.result != soap::XsdType::None)
            result.append({ op.name + QStringLiteral("Result"), op.result });
        wrapper(w, op.name + QStringLiteral("Response"), result);
    }
    w.writeEndElement(); // schema
    w.writeEndElement(); // types

    for (const auto &op : service->operations) {
        for (const char *dir : { "SoapIn", "SoapOut" }) {
            w.writeStartElement(kWsdl, QStringLiteral("message"));
            w.writeAttribute(QStringLiteral("name"), op.name + QLatin1String(dir));
            w.writeStartElement(kWsdl, QStringLiteral("part"));
            w.writeAttribute(QStringLiteral("name"), QStringLiteral("parameters"));
            w.writeAttribute(QStringLiteral("element"),
                QStringLiteral("tns:") + op.name
                    + (qstrcmp(dir, "SoapOut") == 0 ? "Response" : ""));
            w.writeEndElement();
            w.writeEndElement();
        }
    }

    w.writeStartElement(kWsdl, QStringLiteral("portType"));
    w.writeAttribute(QStringLiteral("name"), service->interfaceName);
    for (const auto &op : service->operations) {
        w.writeStartElement(kWsdl, QStringLiteral("operation"));
        w.writeAttribute(QStringLiteral("name"), op.name);
        w.writeEmptyElement(kWsdl, QStringLiteral("input"));
        w.writeAttribute(
            QStringLiteral("message"), QStringLiteral("tns:") + op.name + QStringLiteral("SoapIn"));
        w.writeEmptyElement(kWsdl, QStringLiteral("output"));
        w.writeAttribute(QStringLiteral("message"),
            QStringLiteral("tns:") + op.name + QStringLiteral("SoapOut"));
        w.writeEndElement();
    }
    w.writeEndElement();

    w.writeStartElement(kWsdl, QStringLiteral("binding"));
    w.writeAttribute(QStringLiteral("name"), service->interfaceName);
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("tns:") + service->interfaceName);
    w.writeEmptyElement(kSoap, QStringLiteral("binding"));
    w.writeAttribute(
        QStringLiteral("transport"), QStringLiteral("http://schemas.xmlsoap.org/soap/http"));
    for (const auto &op : service->operations) {
        w.writeStartElement(kWsdl, QStringLiteral("operation"));
        w.writeAttribute(QStringLiteral("name"), op.name);
        w.writeEmptyElement(kSoap, QStringLiteral("operation"));
        w.writeAttribute(QStringLiteral("soapAction"), soap::soapAction(ns, op.name));
        w.writeAttribute(QStringLiteral("style"), QStringLiteral("document"));
        for (const char *dir : { "input", "output" }) {
            w.writeStartElement(kWsdl, QLatin1String(dir));
            w.writeEmptyElement(kSoap, QStringLiteral("body"));
            w.writeAttribute(QStringLiteral("use"), QStringLiteral("literal"));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();

    w.writeStartElement(kWsdl, QStringLiteral("service"));
    w.writeAttribute(QStringLiteral("name"), service->name);
    w.writeStartElement(kWsdl, QStringLiteral("port"));
    w.writeAttribute(QStringLiteral("name"), service->interfaceName);
    w.writeAttribute(QStringLiteral("binding"), QStringLiteral("tns:") + service->interfaceName);
    w.writeEmptyElement(kSoap, QStringLiteral("address"));
    w.writeAttribute(QStringLiteral("location"), location);
    w.writeEndElement();
    w.writeEndElement();

    w.writeEndElement(); // definitions
    w.writeEndDocument();
    return out;
}

} // namespace zx::server
