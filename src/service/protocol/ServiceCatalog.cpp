#include "service/protocol/ServiceCatalog.h"

namespace zx::protocol {

namespace {

using soap::XsdType;
constexpr XsdType Str = XsdType::String;
constexpr XsdType Bin = XsdType::Base64Binary;
constexpr XsdType Bool = XsdType::Boolean;
constexpr XsdType Int = XsdType::Int;
constexpr XsdType Void = XsdType::None;

OperationSpec op(QString name, QList<ParamSpec> params, XsdType result, Packing packing,
    IdentityForm identity, bool used = true)
{
    OperationSpec o;
    o.name = std::move(name);
    o.params = std::move(params);
    o.result = result;
    o.packing = packing;
    o.identity = identity;
    o.used = used;
    return o;
}

// The byte-array operations of the report and maintenance services: hashed identity,
// a packed request, a packed reply.
OperationSpec packed(QString name, QString request = QStringLiteral("prmCons"), bool used = true)
{
    return op(std::move(name),
        { { QStringLiteral("idCliente"), Bin }, { std::move(request), Bin } }, Bin, Packing::Zlib,
        IdentityForm::HashPacked, used);
}

OperationSpec text(QString name, QString request, bool used = true)
{
    return op(std::move(name),
        { { QStringLiteral("idCliente"), Str }, { std::move(request), Str } }, Str, Packing::None,
        IdentityForm::HashText, used);
}

QList<OperationSpec> cardOperations()
{
    return {
        op(QStringLiteral("getResp"), {}, Str, Packing::None, IdentityForm::None),
        packed(QStringLiteral("getResCart"), QStringLiteral("prmSaldo")),
        packed(QStringLiteral("getAutoriz"), QStringLiteral("prmAutor")),
        packed(QStringLiteral("CancAutoriz"), QStringLiteral("prmAutor")),
    };
}

QList<ServiceSpec> build()
{
    const QString prmAlt = QStringLiteral("prmAlt");
    QList<ServiceSpec> s;

    s.append({ QStringLiteral("servico"), QStringLiteral("servicoSoap"),
        QStringLiteral("legacy service; two of its operations are still used"),
        {
            op(QStringLiteral("getUltMatr"),
                { { QStringLiteral("id"), Str }, { QStringLiteral("cnpjDec"), Str } }, Int,
                Packing::None, IdentityForm::WebIdText),
            op(QStringLiteral("dispFechDiar"), {}, Void, Packing::None, IdentityForm::None),
        } });

    s.append({ QStringLiteral("kv1"), QStringLiteral("kv1Soap"),
        QStringLiteral("merchant card transactions"), cardOperations() });
    QList<OperationSpec> loyalty = cardOperations();
    // The loyalty service declares the reversal too, but nothing sends one there.
    loyalty[0].used = false;
    loyalty[3].used = false;
    s.append({ QStringLiteral("kv1_F"), QStringLiteral("kv1_FSoap"),
        QStringLiteral("loyalty-card transactions"), loyalty });

    s.append({ QStringLiteral("kv2"), QStringLiteral("kv2Soap"),
        QStringLiteral("reports and invoicing documents"),
        {
            packed(QStringLiteral("getFuncSint")),
            packed(QStringLiteral("getFuncAnalit")),
            packed(QStringLiteral("getTtDebFc"), QStringLiteral("prmCons"), false),
            text(QStringLiteral("getAutApFec"), QStringLiteral("prmCons")),
            text(QStringLiteral("getDebResFc"), QStringLiteral("prmCons")),
            packed(QStringLiteral("getRelAut")),
            packed(QStringLiteral("getERF")),
            packed(QStringLiteral("getAutUserPer")),
            text(QStringLiteral("getResFcAl"), QStringLiteral("prmCons")),
            op(QStringLiteral("getCodCPTFol"),
                { { QStringLiteral("idCliente"), Bin }, { QStringLiteral("prmCons"), Bin } }, Bin,
                Packing::External, IdentityForm::HashExternal),
            packed(QStringLiteral("getTxtNFe")),
            packed(QStringLiteral("addRPS")),
            op(QStringLiteral("setNF_RPS"),
                { { QStringLiteral("idCliente"), Bin }, { QStringLiteral("inscMunc"), Bin },
                    { QStringLiteral("arqXML"), Bin } },
                Bin, Packing::Zlib, IdentityForm::HashPacked),
            packed(QStringLiteral("setRPSTx")),
            packed(QStringLiteral("getNfPdf")),
            packed(QStringLiteral("getFatFidelid")),
        } });

    const QList<ParamSpec> sqlBytes { { QStringLiteral("id"), Bin }, { QStringLiteral("sql"), Bin },
        { QStringLiteral("dotNet"), Bool } };
    const QList<ParamSpec> acum { { QStringLiteral("idCliente"), Bin },
        { QStringLiteral("nrCartao"), Bin }, { QStringLiteral("nrCPF"), Bin },
        { QStringLiteral("nrCNPJ"), Bin } };
    s.append({ QStringLiteral("kv3"), QStringLiteral("kv3Soap"),
        QStringLiteral("SQL over the service, server clock, card and user maintenance, "
                       "food invoices"),
        {
            op(QStringLiteral("getDSXML"),
                { { QStringLiteral("id"), Str }, { QStringLiteral("sql"), Str },
                    { QStringLiteral("dotNet"), Bool } },
                Str, Packing::None, IdentityForm::WebIdText, false),
            op(QStringLiteral("getDSXML2"), sqlBytes, Bin, Packing::Zlib,
                IdentityForm::WebIdPacked),
            op(QStringLiteral("getDSXML3"), sqlBytes, Bin, Packing::Zlib, IdentityForm::WebIdPacked,
                false),
            op(QStringLiteral("execSQL"),
                { { QStringLiteral("id"), Str }, { QStringLiteral("sql"), Str } }, Bool,
                Packing::None, IdentityForm::WebIdText, false),
            op(QStringLiteral("execTrans"),
                { { QStringLiteral("idCliente"), Bin }, { QStringLiteral("dadXML"), Bin } }, Bin,
                Packing::Zlib, IdentityForm::WebIdPacked),
            op(QStringLiteral("execSQL2"),
                { { QStringLiteral("id"), Bin }, { QStringLiteral("sql"), Bin } }, Bool,
                Packing::Zlib, IdentityForm::WebIdPacked),
            op(QStringLiteral("getDatHor"), {}, Str, Packing::None, IdentityForm::None),
            text(QStringLiteral("altStatCart"), prmAlt),
            text(QStringLiteral("altDepFunc"), prmAlt),
            text(QStringLiteral("altLimitFunc"), prmAlt),
            text(QStringLiteral("altAjuCust"), prmAlt),
            text(QStringLiteral("getUserOk"), prmAlt),
            text(QStringLiteral("getDadAut"), prmAlt),
            text(QStringLiteral("getAntParcFut"), prmAlt),
            op(QStringLiteral("incFuncXML"),
                { { QStringLiteral("idCliente"), Bin }, { QStringLiteral("cnpjDec"), Bin },
                    { QStringLiteral("arqXML"), Bin }, { QStringLiteral("tpCart"), Str },
                    { QStringLiteral("insAtivo"), Bool } },
                Bin, Packing::Zlib, IdentityForm::HashPacked),
            op(QStringLiteral("ajustAcum"), acum, Bin, Packing::Zlib, IdentityForm::HashPacked),
            op(QStringLiteral("ajustAcumTp2"), acum, Bin, Packing::Zlib, IdentityForm::HashPacked),
            op(QStringLiteral("altIdUser"),
                { { QStringLiteral("idCliente"), Bin }, { prmAlt, Bin },
                    { QStringLiteral("prmUser"), Bin } },
                Bin, Packing::Zlib, IdentityForm::HashPacked),
            packed(QStringLiteral("setCabFood"), QStringLiteral("prmFood")),
            op(QStringLiteral("setItFood"),
                { { QStringLiteral("idCliente"), Bin }, { QStringLiteral("chavFood"), Bin },
                    { QStringLiteral("prmItFood"), Bin } },
                Bin, Packing::Zlib, IdentityForm::HashPacked),
            packed(QStringLiteral("getConfFood"), QStringLiteral("chavFood")),
            packed(QStringLiteral("setAjusFinFood"), QStringLiteral("prmAjfinFood")),
        } });

    s.append({ QStringLiteral("kv3_F"), QStringLiteral("kv3_FSoap"),
        QStringLiteral("loyalty-card extras"),
        {
            op(QStringLiteral("setAcumMesT"),
                { { QStringLiteral("cnpjFidEnc"), Str }, { QStringLiteral("compet"), Str } }, Str,
                Packing::None, IdentityForm::None, false),
            op(QStringLiteral("getIndicDiret"), { { QStringLiteral("nrCartao"), Bin } }, Bin,
                Packing::Zlib, IdentityForm::None),
        } });

    for (ServiceSpec &service : s) {
        for (OperationSpec &o : service.operations)
            o.service = service.name;
    }
    return s;
}

} // namespace

const ParamSpec *OperationSpec::param(const QString &name) const
{
    for (const ParamSpec &p : params) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

const OperationSpec *ServiceSpec::operation(const QString &name) const
{
    for (const OperationSpec &o : operations) {
        if (o.name == name)
            return &o;
    }
    return nullptr;
}

const QList<ServiceSpec> &ServiceCatalog::services()
{
    static const QList<ServiceSpec> table = build();
    return table;
}

const ServiceSpec *ServiceCatalog::service(const QString &name)
{
    for (const ServiceSpec &s : services()) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

const OperationSpec *ServiceCatalog::operation(const QString &service, const QString &operation)
{
    const ServiceSpec *s = ServiceCatalog::service(service);
    return s ? s->operation(operation) : nullptr;
}

QString ServiceCatalog::endpoint(const QString &base, const QString &service)
{
    return base + service + QLatin1String(".asmx");
}

} // namespace zx::protocol
