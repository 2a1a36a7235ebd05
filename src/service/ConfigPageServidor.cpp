#include "service/ConfigPageServidor.h"

#include "config/ConfigPage.h"
#include "service/Atualizacao.h"
#include "service/EmpresaServidor.h"
#include "service/Twc.h"
#include "service/protocol/TRegist.h"

namespace zx {

ConfigPageServidor::ConfigPageServidor(
    Twc &wc, MainState &state, Acao alteraTipoSistema, Acao encerraAplicacao)
    : m_wc(wc)
    , m_state(state)
    , m_alteraTipoSistema(std::move(alteraTipoSistema))
    , m_encerraAplicacao(std::move(encerraAplicacao))
{
}

void ConfigPageServidor::buscaDadosEmpresa(ConfigPage &page)
{
    const std::optional<protocol::TRegist> row = consultaDadosEmpresa(m_wc, page.cnpjConsulta());
    if (!row)
        return;
    auto v = [&](const char *name) { return protocol::vlrRegByName(*row, QLatin1String(name)); };
    page.aplicaDadosEmpresa(v("DESCR_PESSO"), v("FANTA_PESSO"), v("LOGRA_PESSO"), v("TELEF_PESSO"),
        v("NRRES_PESSO"), v("BAIRR_PESSO"));
}

void ConfigPageServidor::buscaListaEmpresas(ConfigPage &page)
{
    zx::buscaListaEmpresas(m_wc, page.cnpjDigitos());
}

void ConfigPageServidor::atualizaParamWeb(ConfigPage &)
{
    zx::atualizaParamWeb(m_wc, m_state);
}

void ConfigPageServidor::baixaAtualizacao(ConfigPage &)
{
    zx::baixaAtualizacao(m_wc, true, {});
}

void ConfigPageServidor::alteraTipoSistema(ConfigPage &page)
{
    if (m_alteraTipoSistema)
        m_alteraTipoSistema(page);
}

void ConfigPageServidor::encerraAplicacao(ConfigPage &page)
{
    if (m_encerraAplicacao)
        m_encerraAplicacao(page);
}

} // namespace zx
