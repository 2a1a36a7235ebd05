#pragma once
// The merchant settings the server hands back (the settings refresh and every balance
// reply): segment code, installments and municipality code. Pure logic over the
// station settings, so that the refresh and the sale pages apply them alike.
#include <QString>

namespace zx {

class StationSettings;

// The decoded codes the running program holds (IDSEG and IDMUNIC, each modulo 256).
struct CodigosEstacao {
    int segmento = 9;
    int municipio = 0;
};

// The fields of a reply as received; a field missing from the reply is empty.
struct ParamFornecedor {
    QString segmeForne; // SEGME_FORNE
    QString parceForne; // PARCE_FORNE
    QString municForne; // MUNIC_FORNE
};

// Applies a merchant's reply in full:
// - SEGME_FORNE not blank and different from the current segment code written as a
//   decimal number: IDSEG := cripLocal(SEGME_FORNE), the segment code is read back;
// - PARCE_FORNE read as a number (1 when missing or unreadable): below 2 stores
//   PARCELAR "2", otherwise "1";
// - the municipality step below.
// Stops at the first setting that cannot be written and returns false (the caller
// shows "Erro ao tentar ajustar informações locais!!!"); what was written stays.
bool aplicaParamFornecedor(
    StationSettings &settings, const ParamFornecedor &reply, CodigosEstacao &codigos);

// MUNIC_FORNE different from the current municipality code written as a decimal
// number: IDMUNIC := cripLocal(MUNIC_FORNE), the municipality code is read back.
bool aplicaMunicipio(StationSettings &settings, const QString &municForne, CodigosEstacao &codigos);

} // namespace zx
