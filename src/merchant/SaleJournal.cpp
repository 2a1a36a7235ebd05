#include "merchant/SaleJournal.h"

#include "common/core/TextHelpers.h"
#include "localstore/TDM.h"

#include <QDate>

namespace zx::diario {

namespace {

const QString kSolic = QStringLiteral("SOLIC_VEND");
const QString kSitua = QStringLiteral("SITUA_VEND");
const QString kCarta = QStringLiteral("CARTA_VEND");
const QString kData = QStringLiteral("DATA_VENDA");
const QString kValor = QStringLiteral("VALOR_VEND");
const QString kAutor = QStringLiteral("AUTOR_VEND");

QString campo(const protocol::TRegist &r, const char *nome)
{
    return protocol::vlrRegByName(r, QLatin1String(nome));
}

// Closes the table on every path out of an operation.
struct Aberta {
    DbfTable &t;
    bool ok;
    explicit Aberta(DbfTable &tabela) : t(tabela)
    {
        t.close();
        ok = t.open();
    }
    ~Aberta()
    {
        if (t.state() == DbfTable::State::Edit || t.state() == DbfTable::State::Insert)
            t.cancel();
        t.close();
        t.clearFilter();
    }
};

// A table opened with a filter on one field, on its first row.
struct Filtrada : Aberta {
    Filtrada(DbfTable &tabela, const QString &campo, const QString &valor)
        : Aberta((tabela.close(), tabela.setFilter(campo, valor), tabela))
    {
        if (ok)
            t.first();
    }
    bool vazia() const { return !ok || t.eof(); }
};

bool falha(QString *erro, const DbfTable &t)
{
    if (erro)
        *erro = t.lastError();
    return false;
}

// The opened VENDA on the row numbered `solicitacao`.
bool naVenda(Aberta &a, qint64 solicitacao, QString *erro)
{
    if (!a.ok)
        return falha(erro, a.t);
    if (a.t.locate(kSolic, QString::number(solicitacao)))
        return true;
    if (erro)
        *erro = QStringLiteral("Venda %1 não encontrada").arg(solicitacao);
    return false;
}

TParamVend linha(const DbfTable &t)
{
    return {t.asString(kAutor), t.asString(kCarta), t.asString(kData), t.asString(kValor),
            t.asString(kSitua)};
}

QString dataDe(const QString &texto)
{
    const QDate d = QDate::fromString(texto.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : texto.trimmed();
}

} // namespace

qint64 gravaPendente(TDM &dm, const NovaVenda &v, QString *erro)
{
    Aberta a(dm.CDSVenda);
    DbfTable &t = a.t;
    if (!a.ok)
        return falha(erro, t), 0;
    if (!t.append())
        return falha(erro, t), 0;
    t.setAsString(kSitua, QStringLiteral("P"));
    t.setAsString(kCarta, v.cartao);
    t.setAsString(kData, v.data);
    t.setAsString(QStringLiteral("VENCI_VEND"), v.data);
    t.setAsString(QStringLiteral("HORA_VENDA"), v.hora);
    t.setAsString(kValor, v.valor);
    t.setAsInteger(QStringLiteral("PARCE_VEND"), v.parcelas);
    t.setAsString(QStringLiteral("FUNCI_VEND"), v.tipo);
    if (!t.post())
        return falha(erro, t), 0;
    return t.asInteger(kSolic);
}

static bool gravaMarca(TDM &dm, const QString &cartao, const QString &data, const QString &valor)
{
    Aberta a(dm.CDSUltSolic);
    DbfTable &t = a.t;
    if (!a.ok)
        return false;
    if (t.locate(QStringLiteral("NUMER_IP"), dm.ipLocal())) {
        if (!t.edit())
            return false;
    } else {
        if (!t.append())
            return false;
        t.setAsString(QStringLiteral("NUMER_IP"), dm.ipLocal());
    }
    t.setAsString(QStringLiteral("CARTAO"), cartao);
    t.setAsString(QStringLiteral("DATA"), data);
    t.setAsString(QStringLiteral("VALOR"), valor);
    return t.post();
}

bool marcaEmVoo(TDM &dm, const QString &cartao, const QString &data, const QString &valor)
{
    return gravaMarca(dm, cartao, data, valor);
}

bool limpaMarca(TDM &dm) { return gravaMarca(dm, {}, {}, {}); }

bool emVoo(TDM &dm, const TParamVend &venda)
{
    Aberta a(dm.CDSUltSolic);
    if (!a.ok)
        return false;
    DbfTable &t = a.t;
    for (t.first(); !t.eof(); t.next()) {
        // This station sends nothing while it checks: a mark of its own was left by a
        // run that ended during a request, and that sale is exactly what to reverse.
        if (t.asString(QStringLiteral("NUMER_IP")) == dm.ipLocal())
            continue;
        if (t.asString(QStringLiteral("CARTAO")) == venda.cartao.trimmed()
            && t.asString(QStringLiteral("DATA")) == venda.data.trimmed()
            && t.asString(QStringLiteral("VALOR")) == venda.valor.trimmed())
            return true;
    }
    return false;
}

QString marcaDaEstacao(TDM &dm)
{
    Aberta a(dm.CDSUltSolic);
    if (!a.ok || !a.t.locate(QStringLiteral("NUMER_IP"), dm.ipLocal()))
        return {};
    return a.t.asString(QStringLiteral("CARTAO")) + QLatin1Char('|') + a.t.asString(QStringLiteral("DATA"))
           + QLatin1Char('|') + a.t.asString(QStringLiteral("VALOR"));
}

bool situacao(TDM &dm, qint64 solicitacao, const QString &nova, QString *erro)
{
    Aberta a(dm.CDSVenda);
    DbfTable &t = a.t;
    if (!naVenda(a, solicitacao, erro))
        return false;
    if (t.asString(kSitua) == nova)
        return true;
    if (!t.edit())
        return falha(erro, t);
    t.setAsString(kSitua, nova);
    return t.post() || falha(erro, t);
}

std::optional<TParamVend> venda(TDM &dm, qint64 solicitacao)
{
    Aberta a(dm.CDSVenda);
    if (!a.ok || !a.t.locate(kSolic, QString::number(solicitacao)))
        return std::nullopt;
    return linha(a.t);
}

bool gravaRetornoVenda(TDM &dm, qint64 solicitacao, const protocol::TRegist &r, QString *erro)
{
    {
        Aberta a(dm.CDSVenda);
        DbfTable &t = a.t;
        if (!naVenda(a, solicitacao, erro))
            return false;
        if (!t.edit())
            return falha(erro, t);
        t.setAsString(QStringLiteral("FUNCI_VEND"), campo(r, "FUNCI_VENDA"));
        t.setAsString(kSitua, campo(r, "SITUA_VENDA"));
        t.setAsString(QStringLiteral("COMD5_VEND"), campo(r, "COMD5_SALDO"));
        if (t.asString(kAutor).trimmed().isEmpty())
            t.setAsString(kAutor, campo(r, "AUTOR_VENDA"));
        t.setAsString(kData, dataDe(campo(r, "DATA_VENDA")));
        t.setAsString(QStringLiteral("VENCI_VEND"), dataDe(campo(r, "VENCI_VENDA")));
        t.setAsString(QStringLiteral("HORA_VENDA"), campo(r, "HORA_VENDA"));
        t.setAsString(QStringLiteral("MATRI_VEND"), campo(r, "MATRI_FUNCI"));
        t.setAsString(QStringLiteral("CNPJ_INSTI"), campo(r, "CNPJ_INSTI"));
        if (t.asInteger(QStringLiteral("PARCE_VEND")) < 1)
            t.setAsString(QStringLiteral("PARCE_VEND"), campo(r, "PARCE_VENDA").trimmed());
        if (!t.post())
            return falha(erro, t);
    }
    const QString cnpj = campo(r, "CNPJ_INSTI");
    {
        Aberta a(dm.CDSFunci);
        DbfTable &t = a.t;
        if (!a.ok)
            return falha(erro, t);
        const QString nome = campo(r, "DESCR_FUNCI");
        const QString dep = campo(r, "DEPEN_FUNCI");
        if (t.locate({QStringLiteral("CNPJ_INSTI"), QStringLiteral("MATRI_FUNC")},
                     {cnpj, campo(r, "MATRI_FUNCI")})) {
            if (t.asString(QStringLiteral("DESCR_FUNC")) != nome.trimmed()
                || t.asString(QStringLiteral("DEPEN_FUNC")) != dep.trimmed()) {
                if (!t.edit())
                    return falha(erro, t);
                t.setAsString(QStringLiteral("DESCR_FUNC"), nome);
                t.setAsString(QStringLiteral("DEPEN_FUNC"), dep);
                if (!t.post())
                    return falha(erro, t);
            }
        } else {
            if (!t.append())
                return falha(erro, t);
            t.setAsString(QStringLiteral("MATRI_FUNC"), campo(r, "MATRI_FUNCI"));
            t.setAsString(QStringLiteral("CNPJ_INSTI"), cnpj);
            t.setAsString(QStringLiteral("DESCR_FUNC"), nome);
            t.setAsString(QStringLiteral("DEPEN_FUNC"), dep);
            if (!t.post())
                return falha(erro, t);
        }
    }
    {
        Aberta a(dm.CDSInsti);
        DbfTable &t = a.t;
        if (!a.ok)
            return falha(erro, t);
        const QString nome = campo(r, "DESCR_INSTI");
        if (t.locate(QStringLiteral("CNPJ_INSTI"), cnpj)) {
            if (t.asString(QStringLiteral("DESCR_INST")) != nome.trimmed()) {
                if (!t.edit())
                    return falha(erro, t);
                t.setAsString(QStringLiteral("DESCR_INST"), nome);
                if (!t.post())
                    return falha(erro, t);
            }
        } else {
            if (!t.append())
                return falha(erro, t);
            t.setAsString(QStringLiteral("CNPJ_INSTI"), cnpj);
            t.setAsString(QStringLiteral("DESCR_INST"), nome);
            if (!t.post())
                return falha(erro, t);
        }
    }
    return true;
}

std::optional<std::pair<QString, QString>> funcionario(TDM &dm, const QString &cnpjInsti,
                                                       const QString &matricula)
{
    Aberta a(dm.CDSFunci);
    if (!a.ok
        || !a.t.locate({QStringLiteral("CNPJ_INSTI"), QStringLiteral("MATRI_FUNC")}, {cnpjInsti, matricula}))
        return std::nullopt;
    return std::make_pair(a.t.asString(QStringLiteral("DESCR_FUNC")),
                          a.t.asString(QStringLiteral("DEPEN_FUNC")));
}

bool cartaoConhecido(TDM &dm, const QString &cartao)
{
    const QString d = funcao::SoNumero(cartao);
    Aberta a(dm.CDSCartaoOK);
    return a.ok && !d.isEmpty() && a.t.locate(QStringLiteral("NUM_CART"), d);
}

bool adicionaCartaoConhecido(TDM &dm, const QString &cartao)
{
    const QString d = funcao::SoNumero(cartao);
    if (d.isEmpty())
        return false;
    Aberta a(dm.CDSCartaoOK);
    if (!a.ok)
        return false;
    if (a.t.locate(QStringLiteral("NUM_CART"), d))
        return true;
    if (!a.t.append())
        return false;
    a.t.setAsString(QStringLiteral("NUM_CART"), d);
    return a.t.post();
}

QList<VendaPendente> pendentes(TDM &dm, bool *ok)
{
    QList<VendaPendente> out;
    Filtrada a(dm.CDSVenda, kSitua, QStringLiteral("P"));
    if (ok)
        *ok = a.ok;
    if (!a.ok)
        return out;
    for (DbfTable &t = a.t; !t.eof(); t.next())
        out.append({t.asInteger(kSolic), linha(t)});
    return out;
}

bool primeiraPendenteComCartao(TDM &dm)
{
    const QList<VendaPendente> p = pendentes(dm);
    return !p.isEmpty() && !p.first().venda.cartao.trimmed().isEmpty();
}

bool marcaCancelada(TDM &dm, const TParamVend &v, bool *achou, QString *erro)
{
    if (achou)
        *achou = false;
    Aberta a(dm.CDSVenda);
    DbfTable &t = a.t;
    if (!a.ok)
        return falha(erro, t);
    if (!t.locate({kCarta, kData, kValor, kSitua}, {v.cartao, v.data, v.valor, v.situacao}))
        return false;
    if (achou)
        *achou = true;
    if (!t.edit())
        return falha(erro, t);
    t.setAsString(kSitua, QStringLiteral("C"));
    return t.post() || falha(erro, t);
}

bool temAutorizadaIgual(TDM &dm, const TParamVend &v)
{
    const QString cartao = funcao::SoNumero(v.cartao);
    if (cartao.isEmpty())
        return false;
    Aberta a(dm.CDSVenda);
    if (!a.ok)
        return false;
    DbfTable &t = a.t;
    for (t.first(); !t.eof(); t.next())
        if (t.asString(kSitua) == u"A" && funcao::SoNumero(t.asString(kCarta)) == cartao
            && dataDe(t.asString(kData)) == dataDe(v.data) && t.asString(kValor).trimmed() == v.valor.trimmed())
            return true;
    return false;
}

std::optional<TParamVend> porAutorizacao(TDM &dm, const QString &autorizacao)
{
    Filtrada a(dm.CDSVenda, kAutor, autorizacao);
    if (a.vazia())
        return std::nullopt;
    return linha(a.t);
}

std::optional<ReceiptSale> vendaParaRecibo(TDM &dm, const QString &autorizacao)
{
    ReceiptSale s;
    QString cnpj, matricula;
    {
        Filtrada a(dm.CDSVenda, kAutor, autorizacao);
        if (a.vazia())
            return std::nullopt;
        DbfTable &t = a.t;
        // Confirm locally what the server said: a positive number is an authorization.
        if (t.asString(kSitua) != u"A" && funcao::RemZerEsq(funcao::SoNumero(autorizacao)) != QString()
            && t.edit()) {
            t.setAsString(kSitua, QStringLiteral("A"));
            t.post();
        }
        s.autorizacao = autorizacao;
        s.vencimento = t.asString(QStringLiteral("VENCI_VEND"));
        s.hora = t.asString(QStringLiteral("HORA_VENDA"));
        s.cartao = t.asString(kCarta);
        s.valor = t.asString(kValor);
        s.parcelas = t.asString(QStringLiteral("PARCE_VEND"));
        cnpj = t.asString(QStringLiteral("CNPJ_INSTI"));
        matricula = t.asString(QStringLiteral("MATRI_VEND"));
    }
    if (const auto f = funcionario(dm, cnpj, matricula)) {
        s.funcionario = f->first;
        s.dependente = f->second;
    }
    {
        Aberta a(dm.CDSInsti);
        if (a.ok && a.t.locate(QStringLiteral("CNPJ_INSTI"), cnpj))
            s.instituicao = a.t.asString(QStringLiteral("DESCR_INST"));
    }
    {
        Aberta a(dm.CDSParamet);
        if (a.ok) {
            a.t.first();
            if (!a.t.eof()) {
                s.razaoSocial = a.t.asString(QStringLiteral("DESCR_FORN"));
                s.fantasia = a.t.asString(QStringLiteral("FANTA_FORN"));
            }
        }
    }
    return s;
}

} // namespace zx::diario
