#pragma once
// The station's company as the server holds it: registration data, the companies the
// station may act for (confInsti.xml) and the server-derived merchant settings.
// Shared by the configuration page and the start-up steps.
#include "service/protocol/TRegist.h"

#include <QString>
#include <optional>

namespace zx {

class Twc;
struct MainState;

inline const QString kArquivoListaEmpresas = QStringLiteral("confInsti.xml");
inline const QString kMsgErroAjusteLocal
    = QStringLiteral("Erro ao tentar ajustar informações locais!!!");

// The company's registration row (DESCR_PESSO, FANTA_PESSO, LOGRA_PESSO, TELEF_PESSO,
// NRRES_PESSO, BAIRR_PESSO), or none.
std::optional<protocol::TRegist> consultaDadosEmpresa(Twc &wc, const QString &cnpj);

// Fetches the station's company and the institutions it is responsible for and, when
// the reply is a record list, replaces confInsti.xml in the program folder with it.
// An error text or a broken reply leaves the file as it was. True when written.
bool buscaListaEmpresas(Twc &wc, const QString &cnpj);

// Refreshes segment code, installments, municipality code and VALOR_MENSA from the
// server for state.stationCnpj; the state takes the new codes. Shows
// kMsgErroAjusteLocal when a setting cannot be stored.
void atualizaParamWeb(Twc &wc, MainState &state);

} // namespace zx
