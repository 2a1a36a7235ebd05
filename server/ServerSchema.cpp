#include "ServerSchema.h"

#include <QHash>

namespace zx::server {

namespace {

using K = ColKind;

QList<TableDef> buildTables()
{
    QList<TableDef> t;
    t.append({ "KV_PESSOA",
        { { "CNPJ_PESSO" }, { "DESCR_PESSO" }, { "FANTA_PESSO" }, { "TIPO_PESSO" },
            { "LOGRA_PESSO" }, { "NRRES_PESSO" }, { "BAIRR_PESSO" }, { "CHAVE_MUNIC", K::Int },
            { "EMAIL_PESSO" }, { "TELEF_PESSO" }, { "FAX_PESSO" }, { "CELUL_PESSO" },
            { "CNPJ_RESPO" } },
        { "CNPJ_PESSO" }, { { "CNPJ_RESPO" } } });
    t.append({ "KV_FORNECEDOR",
        { { "CNPJ_FORNE" }, { "PERCE_FORNE" }, { "SITUA_FORNE" }, { "EXIBE_FORNE" },
            { "SEGME_FORNE" }, { "MXPAR_FORNE", K::Int }, { "FECHA_QUINZ" }, { "FECHA_ZENTX" },
            { "VALOR_MENSA", K::Money }, { "BANCO_FORNE" }, { "AGENC_FORNE" }, { "CONTA_FORNE" },
            { "ID_ALGOR" } },
        { "CNPJ_FORNE" }, {} });
    t.append({ "KV_INSTITUICAO",
        { { "CNPJ_INSTI" }, { "TODOS_FORNE" }, { "SITUA_INSTI" }, { "DIA_FECHA", K::Int },
            { "TIPO_INSTI" }, { "DIA_PAGA", K::Int }, { "TXPRO_INSTI" }, { "VERIF_SEGME" },
            { "LIMIT_LIMIT", K::Money }, { "AJCUS_INSTI" }, { "ACERT_INSTI", K::Date },
            { "BLOQU_PARCE" }, { "NUMER_CONTRA" }, { "LAYOU_INSTI" } },
        { "CNPJ_INSTI" }, {} });
    // SENHA_FUNCI: the card holder's password, kept as its MD5 digest.
    t.append({ "KV_FUNCIONARIO",
        { { "CNPJ_INSTI" }, { "CPF_FUNCI" }, { "MATRI_FUNCI" }, { "DESCR_FUNCI" },
            { "DEPEN_FUNCI" }, { "CELUL_FUNCI" }, { "NASCI_FUNCI", K::Date },
            { "LIMIT_PADRA", K::Money }, { "SITUA_FUNCI" }, { "SENHA_FUNCI" } },
        { "CNPJ_INSTI", "CPF_FUNCI" }, { { "CPF_FUNCI" } } });
    t.append({ "KV_CARTAO",
        { { "NUMER_CARTA" }, { "CNPJ_INSTI" }, { "CPF_FUNCI" }, { "TIPO_CARTA" }, { "SITUA_CARTA" },
            { "LIMIT_CARTA", K::Money }, { "ACUMU_CARTA", K::Money }, { "IMPRE_CARTA", K::Int },
            { "EMISS_CARTA", K::Date } },
        { "NUMER_CARTA" }, { { "CNPJ_INSTI", "CPF_FUNCI" } } });
    t.append({ "KV_USUARIO",
        { { "LOGIN_USUAR" }, { "EMPRE_USUAR" }, { "DESCR_USUAR" }, { "SENHA_USUAR" },
            { "VENDA_USUAR" }, { "FUNCI_USUAR" }, { "MYADM_USUAR" } },
        { "LOGIN_USUAR" }, { { "EMPRE_USUAR" } } });
    // DTEST_VENDA: the station's own date as the sale request gave it (what a station
    // that lost the answer still knows); USCAN_VENDA / DTCAN_VENDA: who reversed, when.
    t.append({ "KV_VENDA",
        { { "AUTOR_VENDA" }, { "FORNE_VENDA" }, { "CARTA_VENDA" }, { "CNPJ_INSTI" },
            { "CPF_FUNCI" }, { "DATA_VENDA", K::Date }, { "VENCI_VENDA", K::Date },
            { "HORA_VENDA" }, { "VALOR_VENDA", K::Money }, { "PARCE_VENDA", K::Int },
            { "SITUA_VENDA" }, { "COMD5_VENDA" }, { "FUNCI_VENDA" }, { "TIPO_VENDA" },
            { "DTEST_VENDA", K::Date }, { "USCAN_VENDA" }, { "DTCAN_VENDA", K::DateTime } },
        { "AUTOR_VENDA" }, { { "FORNE_VENDA", "CARTA_VENDA", "DATA_VENDA" }, { "CARTA_VENDA" } } });
    t.append({ "KV_FOOD",
        { { "CHAVE_FOOD", K::Int }, { "CNPJ_FOOD" }, { "DTHOR_FOOD", K::DateTime },
            { "SITUA_FOOD" }, { "NOSNR_FOOD" }, { "BANCO_FOOD" }, { "FORCA_FOOD" } },
        { "CHAVE_FOOD" }, { { "CNPJ_FOOD" } } });
    t.append(
        { "KV_ITFOOD", { { "CHAVE_FOOD", K::Int }, { "CPF_ITFOOD" }, { "VALOR_ITFOO", K::Money } },
            { "CHAVE_FOOD", "CPF_ITFOOD" }, {} });
    t.append({ "KV_FORNEFIEL", { { "CNPJ_FIEL" }, { "CREDI_FIEL" }, { "DESCO_FIEL" } },
        { "CNPJ_FIEL" }, {} });
    t.append({ "KV_DADCOMP",
        { { "CNPJ_COMPL" }, { "CPF_COMPL" }, { "APELI_COMPL" }, { "IDENT_COMPL" },
            { "RENDA_COMPL", K::Money }, { "ENDER_LOGRA" }, { "ENDER_NUMER" }, { "ENDER_BAIRR" },
            { "ENDER_CIDAD" }, { "ENDER_ESTAD" }, { "ENDER_CEP" }, { "FONE1_COMPL" },
            { "FONE2_COMPL" }, { "EMAIL_TITUL" }, { "DESCR_CONJU" }, { "CPF_CONJU" },
            { "IDENT_CONJU" }, { "DTNAS_CONJU", K::Date }, { "EMPRE_COMPL" },
            { "ADMIS_COMPL", K::Date }, { "CARGO_COMPL" }, { "FONE1_EMPRE" }, { "FONE2_EMPRE" },
            { "FAX_EMPRE" }, { "REF1_COMPL" }, { "REF2_COMPL" }, { "REF3_COMPL" },
            { "FONE1_REFER" }, { "FONE2_REFER" }, { "FONE3_REFER" }, { "DIAVC_COMPL" },
            { "CPFID_COMPL" }, { "CREID_COMPL" }, { "CNPJ3_REFER", K::Date } },
        { "CNPJ_COMPL", "CPF_COMPL" }, {} });
    t.append({ "KV_ASSMENSAL",
        { { "CNPJ_FORNE" }, { "CPF_FUNCI" }, { "CNPJ_INSTI" }, { "SITUA_MENSA" } },
        { "CNPJ_FORNE", "CPF_FUNCI", "CNPJ_INSTI" }, {} });
    t.append({ "KV_NAOBLOQUEAR", { { "CPF_FUNCI" }, { "CNPJ_INSTI" }, { "DATA_INCLU", K::Date } },
        { "CPF_FUNCI", "CNPJ_INSTI" }, {} });
    t.append({ "KV_MUNICIPIO",
        { { "CHAVE_MUNIC", K::Int }, { "DESCR_MUNIC" }, { "ESTAD_MUNIC" }, { "CEP_MUNIC" } },
        { "CHAVE_MUNIC" }, {} });
    t.append({ "KV_AJUDACUSTO", { { "CPF_AJUDA" }, { "CNPJ_INSTI" }, { "VALOR_AJUDA", K::Money } },
        { "CPF_AJUDA", "CNPJ_INSTI" }, {} });
    t.append({ "boleto",
        { { "BANCO_BOLET" }, { "NOSNR_BOLET" }, { "AGENC_BOLET" }, { "CONTA_BOLET" },
            { "CONVE_BOLET" }, { "CNPJ_BOLET" }, { "CNPJE_BOLET" }, { "SEUNR_BOLET" },
            { "VENCI_BOLET", K::Date }, { "DTEMI_BOLET", K::Date }, { "VALOR_BOLET", K::Money },
            { "DTPGT_BOLET", K::Date }, { "VLRPG_BOLET", K::Money }, { "OBSBX_BOLET" },
            { "GRUPO_BOLET" }, { "REMES_ENVIA" } },
        { "BANCO_BOLET", "NOSNR_BOLET" }, { { "CNPJ_BOLET" }, { "CNPJE_BOLET" } } });
    t.append({ "rps",
        { { "CHAVE_RPS", K::Int }, { "DATA_RPS", K::Date }, { "CNPJ_TOMAD" }, { "INSCR_MUNIC" },
            { "NOTA_RPS", K::Int }, { "VALOR_RPS", K::Money }, { "SITUA_RPS" } },
        { "CHAVE_RPS" }, { { "INSCR_MUNIC" } } });
    return t;
}

QString sqlType(ColKind k)
{
    switch (k) {
    case ColKind::Int:
    case ColKind::Money:
        return QStringLiteral("INTEGER");
    default:
        return QStringLiteral("TEXT");
    }
}

} // namespace

const ColumnDef *TableDef::column(const QString &n) const
{
    for (const auto &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const QList<TableDef> &ServerSchema::tables()
{
    static const QList<TableDef> t = buildTables();
    return t;
}

const TableDef *ServerSchema::table(const QString &name)
{
    for (const auto &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

std::optional<ColKind> ServerSchema::kindOf(const QString &column)
{
    static const QHash<QString, ColKind> kinds = [] {
        QHash<QString, ColKind> h;
        for (const auto &t : tables())
            for (const auto &c : t.columns)
                h.insert(c.name.toUpper(), c.kind);
        return h;
    }();
    auto it = kinds.constFind(column.toUpper());
    if (it == kinds.constEnd())
        return std::nullopt;
    return *it;
}

QStringList ServerSchema::ddl()
{
    QStringList out;
    for (const auto &t : tables()) {
        QStringList cols;
        for (const auto &c : t.columns) {
            QString def = c.name + QLatin1Char(' ') + sqlType(c.kind);
            if (t.key.contains(c.name))
                def += QStringLiteral(" NOT NULL");
            cols << def;
        }
        cols << QStringLiteral("PRIMARY KEY (%1)").arg(t.key.join(QStringLiteral(", ")));
        out << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                   .arg(t.name, cols.join(QStringLiteral(", ")));
        int n = 0;
        for (const auto &ix : t.indexes)
            out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_%2 ON %1 (%3)")
                       .arg(t.name)
                       .arg(++n)
                       .arg(ix.join(QStringLiteral(", ")));
    }
    return out;
}

} // namespace zx::server
