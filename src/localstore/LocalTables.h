#pragma once
// The eleven tables of the station's data folder, column by column.
#include "localstore/TTQBTabela.h"

namespace zx::localtables {

const TTQBTabela &funcionario(); // FUNCIONARIO.DBF
const TTQBTabela &instituicao(); // INSTITUICAO.DBF
const TTQBTabela &parametro(); // PARAMETRO.DBF
const TTQBTabela &sequencial(); // SEQUENCIAL.DBF
const TTQBTabela &venda(); // VENDA.DBF
const TTQBTabela &ultSolic(); // ULT_SOLIC.DBF
const TTQBTabela &ctOk(); // CT_OK.DBF
const TTQBTabela &idEnviar(); // IDENVIAR.DBF
const TTQBTabela &fatAlim(); // FAT_ALIM.DBF
const TTQBTabela &itemAlim(); // ITEM_ALIM.DBF
const TTQBTabela &multiInsti(); // MULTI_INSTI.DBF

// All eleven, in the order the data module points its tables at them.
QList<TTQBTabela> all();

} // namespace zx::localtables
