// zxtool call: one SOAP call through the client's own transport, for support staff
// checking a server by hand.
#include "Command.h"

#include "common/core/Cp1252.h"
#include "platform/Platform.h"
#include "service/ServiceError.h"
#include "service/ServiceSettings.h"
#include "service/SoapClient.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"
#include "service/protocol/ServiceCatalog.h"

#include <QMap>

namespace {

using zx::protocol::OperationSpec;
using zx::protocol::Packing;
using zx::soap::XsdType;

const char *kUsage = "call [--base URL] [--timeout S] SERVICE OPERATION NAME=VALUE...";

QString parametros(const OperationSpec &op)
{
    QStringList names;
    for (const auto &p : op.params)
        names << p.name + QLatin1Char(':') + zx::soap::xsdTypeName(p.type);
    return names.isEmpty() ? QStringLiteral("(none)") : names.join(QLatin1Char(' '));
}

// A value typed on the command line in the wire form of its parameter.
std::optional<QVariant> valor(
    const OperationSpec &op, const zx::protocol::ParamSpec &p, const QString &text, QString &why)
{
    switch (p.type) {
    case XsdType::Base64Binary:
        if (op.packing == Packing::Zlib)
            return QVariant(zx::protocol::getZip(text));
        if (op.packing == Packing::External)
            return QVariant(zx::protocol::getZip2(text));
        return QVariant(zx::cp1252::encode(text));
    case XsdType::None:
        break;
    default: {
        const auto v = zx::soap::decodeValue(p.type, text, &why);
        if (v)
            return *v;
        return std::nullopt;
    }
    }
    return QVariant(text);
}

int run(const QStringList &argsIn, zxtool::Io &io)
{
    QStringList args = argsIn;
    int timeoutS = 0;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (args.isEmpty()) {
            io.err << "usage: zxtool " << kUsage << "\n";
            return 2;
        }
        if (opt == QLatin1String("--base"))
            zx::ServiceSettings::setBaseOverride(args.takeFirst());
        else if (opt == QLatin1String("--timeout"))
            timeoutS = args.takeFirst().toInt();
        else {
            io.err << "usage: zxtool " << kUsage << "\n";
            return 2;
        }
    }
    if (args.size() < 2) {
        io.err << "usage: zxtool " << kUsage << "\n";
        return 2;
    }
    const QString service = args.takeFirst();
    const QString operation = args.takeFirst();
    const OperationSpec *op = zx::protocol::ServiceCatalog::operation(service, operation);
    if (!op) {
        io.err << "zxtool call: " << service << " has no operation " << operation << "\n";
        return 2;
    }
    QMap<QString, QString> given;
    for (const QString &a : args) {
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq <= 0 || !op->param(a.left(eq))) {
            io.err << "zxtool call: not a parameter of " << operation << ": " << a
                   << "\nparameters: " << parametros(*op) << "\n";
            return 2;
        }
        given.insert(a.left(eq), a.mid(eq + 1));
    }

    QVariantList values;
    for (qsizetype i = 0; i < op->params.size(); ++i) {
        const auto &p = op->params.at(i);
        if (!given.contains(p.name)) {
            // The identity takes today's value in the operation's form when not given.
            if (i == 0 && op->identity != zx::protocol::IdentityForm::None) {
                values << zx::protocol::identityArgument(
                    op->identity, zx::Platform::clock().today());
                continue;
            }
            io.err << "zxtool call: missing " << p.name << "\nparameters: " << parametros(*op)
                   << "\n";
            return 2;
        }
        QString why;
        const auto v = valor(*op, p, given.value(p.name), why);
        if (!v) {
            io.err << "zxtool call: " << p.name << ": " << why << "\n";
            return 2;
        }
        values << *v;
    }

    zx::SoapClient client(service);
    if (timeoutS > 0)
        client.transport().setTimeouts({ timeoutS * 1000, timeoutS * 1000, timeoutS * 1000 });
    io.err << "POST " << client.url() << "\n";
    try {
        const QVariant r = client.call(operation, values);
        if (op->result == XsdType::Base64Binary) {
            const QByteArray bytes = r.toByteArray();
            if (op->packing == Packing::None) {
                io.out << bytes.toBase64() << "\n";
                return 0;
            }
            QString why;
            const auto text = op->packing == Packing::External
                ? zx::protocol::getUnzip2(bytes, &why)
                : zx::protocol::getUnzip(bytes, &why);
            if (!text) {
                io.err << "zxtool call: reply does not unpack: " << why << "\n";
                return 1;
            }
            io.out << *text << "\n";
        } else if (op->result != XsdType::None) {
            io.out << zx::soap::encodeValue(op->result, r) << "\n";
        }
        return 0;
    } catch (const zx::ServiceError &e) {
        io.err << "zxtool call: " << e.kindName() << ": " << e.message() << "\n";
        return 1;
    }
}

zxtool::Registrar reg({ QStringLiteral("call"), QString::fromLatin1(kUsage),
    QStringLiteral("one SOAP call of the client (byte arrays packed as the "
                   "operation packs, identity of today when omitted); "
                   "prints the unpacked reply"),
    run });

} // namespace
