#include "localstore/LocalTables.h"

namespace zx::localtables {

namespace {
TTQBField c(const char *name, int width)
{
    return { QString::fromLatin1(name), width, TFieldType::ftString };
}
TTQBField n(const char *name)
{
    return { QString::fromLatin1(name), 0, TFieldType::ftLargeint };
}
} // namespace

const TTQBTabela &funcionario()
{
    static const TTQBTabela t { QStringLiteral("FUNCIONARIO.DBF"),
        { c("MATRI_FUNC", 30), c("CNPJ_INSTI", 30), c("DESCR_FUNC", 80), c("DEPEN_FUNC", 80) } };
    return t;
}

const TTQBTabela &instituicao()
{
    static const TTQBTabela t { QStringLiteral("INSTITUICAO.DBF"),
        { c("CNPJ_INSTI", 30), c("DESCR_INST", 80) } };
    return t;
}

const TTQBTabela &parametro()
{
    static const TTQBTabela t { QStringLiteral("PARAMETRO.DBF"),
        { c("CNPJ_FORNE", 30), c("DESCR_FORN", 80), c("FANTA_FORN", 80), c("APLIC_ABER", 1),
            c("APLIC_CONE", 1), n("LINHA_AVAN"), n("QTDE_COPIA"), c("VISUA_AUTO", 1),
            c("ENDER_FORN", 200), c("FONE_FORNE", 30), c("VERSA_BANC", 10) } };
    return t;
}

const TTQBTabela &sequencial()
{
    static const TTQBTabela t { QStringLiteral("SEQUENCIAL.DBF"),
        { c("TABEL_SEQU", 20), n("ULTIM_SEQU") } };
    return t;
}

const TTQBTabela &venda()
{
    static const TTQBTabela t { QStringLiteral("VENDA.DBF"),
        { n("SOLIC_VEND"), c("AUTOR_VEND", 30), c("MATRI_VEND", 30), c("CNPJ_INSTI", 30),
            c("DATA_VENDA", 15), c("HORA_VENDA", 15), c("SITUA_VEND", 30), c("VALOR_VEND", 30),
            c("CARTA_VEND", 30), c("VENCI_VEND", 15), c("FUNCI_VEND", 30), n("PARCE_VEND"),
            c("COMD5_VEND", 15) } };
    return t;
}

const TTQBTabela &ultSolic()
{
    static const TTQBTabela t { QStringLiteral("ULT_SOLIC.DBF"),
        { c("NUMER_IP", 20), c("CARTAO", 15), c("DATA", 15), c("VALOR", 15) } };
    return t;
}

const TTQBTabela &ctOk()
{
    static const TTQBTabela t { QStringLiteral("CT_OK.DBF"), { c("NUM_CART", 14) } };
    return t;
}

const TTQBTabela &idEnviar()
{
    static const TTQBTabela t { QStringLiteral("IDENVIAR.DBF"),
        { c("CNPJ", 14), c("CPF", 14), c("OBS", 100) } };
    return t;
}

const TTQBTabela &fatAlim()
{
    static const TTQBTabela t { QStringLiteral("FAT_ALIM.DBF"),
        { c("CHAVE_FOOD", 15), c("DTHOR_FOOD", 40), c("SITUA_FOOD", 10) } };
    return t;
}

const TTQBTabela &itemAlim()
{
    static const TTQBTabela t { QStringLiteral("ITEM_ALIM.DBF"),
        { c("CHAVE_FOOD", 15), c("CPF_ITFOOD", 20), c("DESCR_FUNC", 50), c("VALOR_ITFO", 15),
            c("CONFI_CART", 1) } };
    return t;
}

const TTQBTabela &multiInsti()
{
    static const TTQBTabela t { QStringLiteral("MULTI_INSTI.DBF"),
        { c("CNPJ_PESSO", 14), c("APELI_PESS", 60), c("FANTA_PESS", 60), c("TIPO_INSTI", 1) } };
    return t;
}

QList<TTQBTabela> all()
{
    return { funcionario(), instituicao(), parametro(), sequencial(), venda(), ultSolic(), ctOk(),
        idEnviar(), fatAlim(), itemAlim(), multiInsti() };
}

} // namespace zx::localtables
