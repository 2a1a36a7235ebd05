#include "shell/ServiceWiring.h"

#include "shell/TFrmPrincipal.h"

#include "config/ConfigPage.h"
#include "service/Atualizacao.h"
#include "service/ConfigPageServidor.h"
#include "service/EmpresaServidor.h"
#include "service/Twc.h"

namespace zx {

void composeServiceClient(TFrmPrincipal &frame, Twc &wc)
{
    frame.hooks().setServiceHandOver([&wc](const ServiceHandOver &v) {
        wc.cnpjEstac = v.cnpjEstac;
        wc.unidRel = v.unidRel;
        wc.versLocal = v.versLocal;
        wc.corAguarde = v.corAguarde;
        if (!v.nomeEstab.isEmpty())
            wc.nomeEstab = v.nomeEstab;
    });
    wc.AposCprVers = aposCprVersBaixa();

    TFrmPrincipal *f = &frame;
    frame.setConfigHooks(std::make_unique<ConfigPageServidor>(
        wc, frame.state(), [f](ConfigPage &) { f->btnAltTpSistClick(); },
        [f](ConfigPage &) { f->close(); }));

    frame.hooks().add(StartupStep::ServerRefresh, QStringLiteral("atualizaParamWeb"),
        [f, &wc] { atualizaParamWeb(wc, f->state()); });
    frame.hooks().add(StartupStep::CompanyListFetch, QStringLiteral("buscaListaEmpresas"),
        [f, &wc] { buscaListaEmpresas(wc, f->configPage().cnpjDigitos()); });
    frame.hooks().setKey(HotKey::CtrlShiftB, [f] {
        if (ConfigPageHooks *h = f->configHooks())
            h->buscaDadosEmpresa(f->configPage());
    });
    frame.hooks().setKey(HotKey::F11, [&wc] { wc.getConWS(true); });
}

} // namespace zx
