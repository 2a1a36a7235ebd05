#include "service/EmpresaServidor.h"

#include "common/Messages.h"
#include "common/core/Cp1252.h"
#include "common/core/TextHelpers.h"
#include "config/ParamFornecedor.h"
#include "config/StationSettings.h"
#include "platform/Platform.h"
#include "service/SqlText.h"
#include "service/Twc.h"
#include "service/protocol/RecordList.h"
#include "shell/MainState.h"

#include <QSaveFile>

namespace zx {

using protocol::vlrRegByName;

std::optional<protocol::TRegist> consultaDadosEmpresa(Twc &wc, const QString &cnpj)
{
    return wc.getRegUnicoXML(wc.getIDWeb(),
        QStringLiteral("select DESCR_PESSO, FANTA_PESSO, LOGRA_PESSO, TELEF_PESSO, NRRES_PESSO, "
                       "BAIRR_PESSO from kv_pessoa where CNPJ_PESSO = ")
            + encrip(funcao::SoNumero(cnpj)));
}

bool buscaListaEmpresas(Twc &wc, const QString &cnpj)
{
    const QString digitos = funcao::SoNumero(cnpj);
    const QString reply = wc.getDSXML(wc.getIDWeb(),
        QStringLiteral("select P.CNPJ_PESSO, P.FANTA_PESSO, I.TIPO_INSTI from KV_INSTITUICAO I "
                       "join KV_PESSOA P on I.CNPJ_INSTI = P.CNPJ_PESSO where P.CNPJ_RESPO = ")
            + encrip(digitos) + QStringLiteral(" or P.CNPJ_PESSO = ") + encrip(digitos),
        true);
    if (reply.trimmed().isEmpty() || wc.ultimaFalha())
        return false;
    // Only a record list replaces the list the station already has: an error text
    // written there would leave the next start without its companies.
    protocol::TblTemp rows;
    if (!protocol::setTblTempXMLSt(reply, rows))
        return false;
    QSaveFile file(Platform::paths().inProgram(kArquivoListaEmpresas));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(cp1252::encode(reply));
    return file.commit();
}

namespace {
// Applies and tells the state; false when a setting could not be stored.
bool aplicaRegistro(const protocol::TRegist &row, MainState &state, bool completo)
{
    StationSettings settings;
    CodigosEstacao codigos { state.segmentCode, state.municipalityCode };
    bool ok;
    if (completo) {
        ok = aplicaParamFornecedor(settings,
            { vlrRegByName(row, QStringLiteral("SEGME_FORNE")),
                vlrRegByName(row, QStringLiteral("PARCE_FORNE")),
                vlrRegByName(row, QStringLiteral("MUNIC_FORNE")) },
            codigos);
        if (ok) {
            state.employeeSearchKind = settings.tipPesq();
            ok = settings.setValorMensa(vlrRegByName(row, QStringLiteral("VALOR_MENSA")));
        }
        state.installmentsEnabled = settings.parcelar();
    } else {
        ok = aplicaMunicipio(settings, vlrRegByName(row, QStringLiteral("MUNIC_FORNE")), codigos);
    }
    state.segmentCode = quint8(codigos.segmento);
    state.municipalityCode = quint8(codigos.municipio);
    state.notifyChanged();
    return ok;
}
} // namespace

void atualizaParamWeb(Twc &wc, MainState &state)
{
    const QString digitos = funcao::SoNumero(state.stationCnpj);
    std::optional<protocol::TRegist> row = wc.getRegUnicoXML(wc.getIDWeb(),
        QStringLiteral("select F.MXPAR_FORNE as PARCE_FORNE, P.CHAVE_MUNIC as MUNIC_FORNE, "
                       "F.SEGME_FORNE, FF.CREDI_FIEL, FF.DESCO_FIEL, F.VALOR_MENSA from "
                       "KV_FORNECEDOR F join KV_PESSOA P on F.CNPJ_FORNE = P.CNPJ_PESSO  left "
                       "join KV_FORNEFIEL FF on F.CNPJ_FORNE = FF.CNPJ_FIEL where F.CNPJ_FORNE = ")
            + encrip(digitos));
    bool completo = true;
    if (!row) {
        // A failed call has shown its message; only "no record" means an institution.
        if (wc.ultimaFalha())
            return;
        completo = false;
        row = wc.getRegUnicoXML(wc.getIDWeb(),
            QStringLiteral("select P.CHAVE_MUNIC as MUNIC_FORNE from "
                           "KV_PESSOA P where P.CNPJ_PESSO = ")
                + encrip(digitos));
        if (!row)
            return;
    }
    if (!aplicaRegistro(*row, state, completo))
        MsgErro(kMsgErroAjusteLocal);
}

} // namespace zx
