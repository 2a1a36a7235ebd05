#pragma once
// What a sale receipt prints: the journal row of the sale (VENDA) and the rows it
// points to (FUNCIONARIO, INSTITUICAO, PARAMETRO), as stored; and the station
// settings that choose how it is printed.
#include <QString>

namespace zx {

struct ReceiptSale {
    QString autorizacao; // the authorization number asked for
    QString vencimento; // VENCI_VEND, dd/mm/yyyy
    QString hora; // HORA_VENDA as stored
    QString cartao; // CARTA_VEND as stored
    QString valor; // VALOR_VEND as stored ("1.234,50")
    QString parcelas; // PARCE_VEND as stored
    QString instituicao; // INSTITUICAO.DESCR_INST of the sale's CNPJ_INSTI
    QString funcionario; // FUNCIONARIO.DESCR_FUNC of (CNPJ_INSTI, MATRI_VEND)
    QString dependente; // FUNCIONARIO.DEPEN_FUNC
    QString razaoSocial; // PARAMETRO.DESCR_FORN
    QString fantasia; // PARAMETRO.FANTA_FORN

    // VENCI_VEND read as a date and written dd/mm/yyyy (as stored when unreadable).
    QString dataTexto() const;
    // The card in display form ("001 234 567 8").
    QString cartaoTexto() const;
    // PARCE_VEND read as a number; 1 when missing, unreadable or below 1.
    int parcelasNumero() const;
};

struct ReceiptSettings {
    enum Tipo { Matricial = 0, Grafica1 = 1, Grafica2 = 2 };
    int tipo = Matricial; // TIPO
    int copias = 2; // QTDCOP
    bool visual = false; // VISUAL == "1": the text receipt is shown before printing
    int linhasAvanco = 5; // LINAVANC: blank lines after a text receipt

    // From the station file kv.ini.
    static ReceiptSettings fromStation();
};

} // namespace zx
