#pragma once
// The companies an institution station may act for: the list fetched from the server
// (confInsti.xml in the program folder) merged into the local table MULTI_INSTI, and
// the texts of the institution types.
#include <QList>
#include <QString>

namespace zx {

class TDM;

struct EmpresaVinculada {
    QString cnpj; // CNPJ_PESSO
    QString apelido; // APELI_PESS
    QString nome; // FANTA_PESS
    QString tipo; // TIPO_INSTI: "2", "3" or "4"
};

namespace empresas {

// "3" "ALIMENTAÇÃO", "4" "FIDELIDADE", anything else "CONSIGNAÇÃO".
QString tipoTexto(const QString &tipo);
// The type back from its text: "ALIMENTA..." "3", "FIDEL..." "4", any other "2".
QString tipoDeTexto(const QString &texto);

// Appends to MULTI_INSTI every company of the file whose CNPJ it does not hold yet
// (name with "e_e" restored to "&" as short name and trade name, and its type).
// Gives the number of rows added, or -1 when the file is not a record list or the
// table could not be written (error says why; the table keeps what it had).
int importaConfInsti(TDM &dm, const QString &path, QString *error = nullptr);

// Every row of MULTI_INSTI, in table order.
QList<EmpresaVinculada> lista(TDM &dm, QString *error = nullptr);

} // namespace empresas
} // namespace zx
