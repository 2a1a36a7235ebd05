#include "merchant/TwcCartao.h"

#include "platform/Platform.h"
#include "service/Twc.h"
#include "service/kv1Soap.h"
#include "service/kv1_FSoap.h"
#include "service/protocol/RecordList.h"

namespace zx {

namespace {

// Only a reply that is one record counts.
QString umRegistro(const QString &reply)
{
    protocol::TblTemp t;
    const std::optional<int> n = protocol::setTblTempXMLSt(reply, t);
    return n && *n > 0 && t.size() == 1 ? reply : QString();
}

template <typename Call> bool chama(Twc &wc, QString &retorno, Call &&call)
{
    retorno.clear();
    const std::optional<QString> r =
        wc.operacao(FormaOperacao{.falha = MsgConexao::Internet}, std::optional<QString>(),
                    [&]() -> std::optional<QString> { return umRegistro(Twc::unzip(call())); });
    if (!r)
        return false;
    retorno = *r;
    return true;
}

QString dataHoje() { return Platform::clock().today().toString(QStringLiteral("dd/MM/yyyy")); }

} // namespace

QString montaVenda(const QString &senha, const QString &, int parcelas, const Money &valor,
                   const QString &cartao, const QString &cnpj, const QString &data)
{
    return protocol::recordListText(
        {QStringLiteral("NUMER_CARTA"), QStringLiteral("SEMD5_FUNCI"), QStringLiteral("VALOR_VENDA"),
         QStringLiteral("PARCE_VENDA"), QStringLiteral("CNPJ_FORNE"), QStringLiteral("DATA_VENDA")},
        {cartao.trimmed(), senha, valor.format(2, true), QString::number(parcelas), cnpj, data});
}

QString montaExtorno(const QString &autorizacao, const QString &usuario, const QString &cnpj,
                     const TParamVend &venda)
{
    QStringList campos{QStringLiteral("AUTOR_VENDA"), QStringLiteral("USER_CANCE"),
                       QStringLiteral("CNPJ_FORNE")};
    QStringList valores{autorizacao.trimmed(), usuario, cnpj};
    if (autorizacao.trimmed().isEmpty()) {
        campos << QStringLiteral("CARTA_VENDA") << QStringLiteral("DATA_VENDA")
               << QStringLiteral("VALOR_VENDA");
        valores << venda.cartao.trimmed() << venda.data.trimmed() << venda.valor.trimmed();
    }
    return protocol::recordListText(campos, valores);
}

QString montaSaldo(const QString &cartao, const QString &senha, const QString &cnpj)
{
    return protocol::recordListText(
        {QStringLiteral("NUMER_CARTA"), QStringLiteral("SEMD5_FUNCI"), QStringLiteral("CNPJ_FORNE")},
        {cartao.trimmed(), senha, cnpj});
}

bool getVenda(Twc &wc, const QString &identidade, const QString &senha, QString &retorno,
              const QString &tipo, int parcelas, const Money &valor, const QString &cartao)
{
    const QString pedido = montaVenda(senha, tipo, parcelas, valor, cartao, wc.cnpjEstac, dataHoje());
    return chama(wc, retorno, [&] {
        kv1Soap kv1;
        return kv1.getAutoriz(Twc::zip(identidade), Twc::zip(pedido));
    });
}

bool getExtorno(Twc &wc, const QString &identidade, const QString &usuario, QString &retorno,
                const QString &autorizacao, const TParamVend &venda)
{
    const QString pedido = montaExtorno(autorizacao, usuario, wc.cnpjEstac, venda);
    return chama(wc, retorno, [&] {
        kv1Soap kv1;
        return kv1.CancAutoriz(Twc::zip(identidade), Twc::zip(pedido));
    });
}

bool getSaldo(Twc &wc, const QString &identidade, const QString &senha, QString &retorno,
              bool fidelidade, const QString &cartao)
{
    const QString pedido = montaSaldo(cartao, senha, wc.cnpjEstac);
    return chama(wc, retorno, [&] {
        if (fidelidade) {
            kv1_FSoap kv1f;
            return kv1f.getResCart(Twc::zip(identidade), Twc::zip(pedido));
        }
        kv1Soap kv1;
        return kv1.getResCart(Twc::zip(identidade), Twc::zip(pedido));
    });
}

} // namespace zx
