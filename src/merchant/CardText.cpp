#include "merchant/CardText.h"

#include "common/core/Identifiers.h"
#include "common/core/Money.h"
#include "common/core/TextHelpers.h"
#include "service/SqlText.h"
#include "service/protocol/TextRules.h"

#include <QRegularExpression>

namespace zx::cartao {

namespace {

bool soDigitos(const QString &t)
{
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

QString campo(const protocol::TRegist &r, const char *nome)
{
    return protocol::vlrRegByName(r, QLatin1String(nome));
}

QString posicao(const protocol::TRegist &r, int i)
{
    return i < r.valores.size() ? r.valores.at(i) : QString();
}

} // namespace

bool numeroPositivo(const QString &text)
{
    const QString t = text.trimmed();
    if (!soDigitos(t))
        return false;
    // Any length: a positive whole number has a non-zero digit.
    return t.contains(QRegularExpression(QStringLiteral("[1-9]")));
}

QString completaCartao(const QString &text)
{
    const QString t = text.trimmed();
    if (t == u"1" || t == u"2")
        return t;
    if (numeroPositivo(t))
        return t.rightJustified(10, u'0');
    return t;
}

QString completaAutorizacao(const QString &text)
{
    return numeroPositivo(text) ? text.trimmed().rightJustified(12, u'0') : text;
}

QString completaValor(const QString &text)
{
    const std::optional<Money> v = Money::parse(funcao::FmtNr(text.trimmed()));
    if (!v || !(*v > Money()))
        return text;
    return v->format(2, true);
}

int parcelasDe(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 1;
}

QChar teclaValor(const QString &current, QChar typed)
{
    if (typed.isDigit() && typed.unicode() < 128)
        return typed;
    if (typed == u'.' || typed == u',') {
        if (current.contains(u','))
            return QChar();
        return QLatin1Char(',');
    }
    return QChar();
}

QString perguntaConfirmacao(const QString &valor, int parcelas)
{
    QString q = QStringLiteral("Confirma a autorização de R$: ") + valor;
    if (parcelas >= 2)
        q += QStringLiteral(" dividida em ") + QString::number(parcelas) + QStringLiteral(" parcelas");
    return q + QLatin1Char('?');
}

QString statusAguarde(int segundos)
{
    return QStringLiteral("A G U A R D E ! ! !   (Limite para resposta: ") + QString::number(segundos)
           + QStringLiteral(" segundos)");
}

QStringList linhasDuplicada(const QString &mensagem, const QString &autorizacaoAnterior)
{
    return {QStringLiteral("Mensagem de Retorno: ") + mensagem.mid(5), QString(),
            QStringLiteral("Aut.Nr: ") + autorizacaoAnterior, QString(),
            QStringLiteral("Obs...: Não pode existir duas Autorizações no mesmo valor para o mesmo "
                           "cartão no Estabelecimento.")};
}

QStringList linhasAutorizada(const VendaAutorizada &v)
{
    return {QString(),
            QStringLiteral("Aut.Nr: ") + v.autorizacao,
            QStringLiteral("Func..: ") + v.funcionario,
            QStringLiteral("Dep...: ") + v.dependente,
            QStringLiteral("Cartao: ") + v.cartao,
            QStringLiteral("Data..: ") + v.vencimento,
            QStringLiteral("Hora..: ") + v.hora,
            QStringLiteral("Valor.: ") + v.valor};
}

bool saldoAtivo(const protocol::TRegist &reply) { return campo(reply, "SITUA_CARTA") == u"1"; }

QStringList linhasSaldo(const protocol::TRegist &reply, const QString &cartao, const QString &site)
{
    const QString prefixo = QStringLiteral("Mensagem de Retorno: ");
    if (!saldoAtivo(reply)) {
        const QString limite = campo(reply, "LIMIT_FUNCI");
        const QString mensagem = campo(reply, "MENSA_RETOR");
        if (!limite.trimmed().isEmpty())
            return {prefixo + limite};
        if (!mensagem.trimmed().isEmpty())
            return {prefixo + mensagem};
        return {prefixo + QStringLiteral("RETORNO VAZIO. Verifique a conexão!")};
    }
    const Money limite = Money::parse(funcao::FmtNr(campo(reply, "LIMIT_FUNCI"))).value_or(Money());
    const Money usado = Money::parse(funcao::FmtNr(campo(reply, "ACUMU_FUNCI"))).value_or(Money());
    const Money saldo = limite - usado;
    return {QStringLiteral("Cartão.....: ") + protocol::fmtCartao(cartao),
            QStringLiteral("Funcionário: ") + campo(reply, "DESCR_FUNCI"),
            QStringLiteral("Dependente.: ") + campo(reply, "DEPEN_FUNCI"),
            QString(),
            QStringLiteral("Empresa....: ") + campo(reply, "DESCR_INSTI"),
            QString(),
            QStringLiteral("SALDO ATUAL: ")
                + (saldo > Money() ? saldo.format(2, true) : QStringLiteral("0,00")),
            QString(),
            QStringLiteral("Observação.: O limite e a movimentação do Cartão-Convênio,   estão  "
                           "disponíveis  na Empresa ou através do site: ")
                + site};
}

QString sqlConsultaCartao(const QString &cartao)
{
    return QStringLiteral(
               "select F.DESCR_FUNCI, F.CELUL_FUNCI, P.FANTA_PESSO, P.TELEF_PESSO, P.FAX_PESSO, "
               "P.CELUL_PESSO, I.DIA_FECHA, P.LOGRA_PESSO, P.BAIRR_PESSO, P.NRRES_PESSO, "
               "M.DESCR_MUNIC, M.ESTAD_MUNIC, F.DEPEN_FUNCI from kv_cartao C join kv_funcionario F "
               "on C.CNPJ_INSTI = F.CNPJ_INSTI and C.CPF_FUNCI = F.CPF_FUNCI join kv_instituicao I "
               "on C.CNPJ_INSTI = I.CNPJ_INSTI join kv_pessoa P on I.CNPJ_INSTI = P.CNPJ_PESSO join "
               "kv_municipio M on P.CHAVE_MUNIC = M.CHAVE_MUNIC where C.NUMER_CARTA = ")
           + encrip(cartao);
}

QStringList linhasConsulta(const protocol::TRegist &row)
{
    const QString numero = posicao(row, 9).trimmed();
    bool ok = false;
    const int dia = posicao(row, 6).trimmed().toInt(&ok);
    return {QStringLiteral("            - C O N S U L T A -"),
            QString(),
            QStringLiteral("Usuário....: ") + posicao(row, 0),
            QStringLiteral("Dependente.: ") + posicao(row, 12),
            QStringLiteral("Telefone...: ") + funcao::FmtFone(posicao(row, 1)),
            QStringLiteral("Liberação..: dia ") + QString::number((ok ? dia : 0) + 1),
            QString(),
            QStringLiteral("Empresa....: ") + posicao(row, 2),
            QStringLiteral("Endereço...: ") + posicao(row, 7) + QStringLiteral(", ")
                + (numero.isEmpty() ? QStringLiteral("S/N") : numero) + QStringLiteral(" - ")
                + posicao(row, 8) + QLatin1Char(' ') + posicao(row, 10) + QLatin1Char('/')
                + posicao(row, 11),
            QStringLiteral("Telefone...: ") + funcao::FmtFone(posicao(row, 3)),
            QStringLiteral("FAX........: ") + funcao::FmtFone(posicao(row, 4)),
            QStringLiteral("Celular....: ") + funcao::FmtFone(posicao(row, 5))};
}

} // namespace zx::cartao
