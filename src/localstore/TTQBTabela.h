#pragma once
// Descriptions the store's tables are created from: a file name and its columns.
#include "localstore/DbfField.h"

#include <QList>
#include <QString>

namespace zx {

// Column types the station's tables use.
enum class TFieldType { ftString, ftLargeint };

struct TTQBField {
    QString nome;
    int tamanho = 0; // 0 for whole-number columns: the engine picks the width
    TFieldType tipo = TFieldType::ftString;

    DbfField toDbf() const
    {
        return tipo == TFieldType::ftLargeint ? DbfField::integer(nome)
                                              : DbfField::character(nome, tamanho);
    }
};

struct TTQBTabela {
    QString nome; // file name as created, e.g. "VENDA.DBF"
    QList<TTQBField> campos;

    QList<DbfField> dbfFields() const
    {
        QList<DbfField> out;
        for (const TTQBField &c : campos)
            out << c.toDbf();
        return out;
    }
};

} // namespace zx
