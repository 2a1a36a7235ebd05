#pragma once
// The configuration page's server steps, for ConfigPage::setHooks: company data,
// company list, server-derived settings and the update download. The two steps that
// belong to the main window (station-kind wizard, closing the program) are handed in.
#include "config/ConfigPageHooks.h"

#include <functional>

namespace zx {

class Twc;
struct MainState;

class ConfigPageServidor : public ConfigPageHooks {
public:
    using Acao = std::function<void(ConfigPage &)>;

    ConfigPageServidor(Twc &wc, MainState &state, Acao alteraTipoSistema, Acao encerraAplicacao);

    void buscaDadosEmpresa(ConfigPage &page) override;
    void buscaListaEmpresas(ConfigPage &page) override;
    void atualizaParamWeb(ConfigPage &page) override;
    void baixaAtualizacao(ConfigPage &page) override;
    void alteraTipoSistema(ConfigPage &page) override;
    void encerraAplicacao(ConfigPage &page) override;

private:
    Twc &m_wc;
    MainState &m_state;
    Acao m_alteraTipoSistema;
    Acao m_encerraAplicacao;
};

} // namespace zx
