#include "config/ParamFornecedor.h"

#include "config/StationSettings.h"

namespace zx {

bool aplicaParamFornecedor(
    StationSettings &settings, const ParamFornecedor &reply, CodigosEstacao &codigos)
{
    const QString seg = reply.segmeForne;
    if (!seg.trimmed().isEmpty() && seg != QString::number(codigos.segmento)) {
        if (!settings.setIdSeg(seg))
            return false;
        codigos.segmento = settings.idSeg();
    }
    bool ok = false;
    int parcelas = reply.parceForne.trimmed().toInt(&ok, 10);
    if (!ok)
        parcelas = 1;
    if (!settings.setParcelar(parcelas >= 2))
        return false;
    return aplicaMunicipio(settings, reply.municForne, codigos);
}

bool aplicaMunicipio(StationSettings &settings, const QString &municForne, CodigosEstacao &codigos)
{
    if (municForne == QString::number(codigos.municipio))
        return true;
    if (!settings.setIdMunic(municForne))
        return false;
    codigos.municipio = settings.idMunic();
    return true;
}

} // namespace zx
