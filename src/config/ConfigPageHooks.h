#pragma once
// What the configuration page needs from the layers above it (the service client and
// the main window). The shell installs one implementation with
// ConfigPage::setHooks; until then the buttons that need it are disabled.
namespace zx {

class ConfigPage;

class ConfigPageHooks {
public:
    virtual ~ConfigPageHooks() = default;

    // Company data from the server for page.cnpjConsulta(); with a record it calls
    // page.aplicaDadosEmpresa(...), without one it does nothing.
    virtual void buscaDadosEmpresa(ConfigPage &page) = 0;
    // The companies the station may act for (confInsti.xml), for page.cnpjDigitos().
    virtual void buscaListaEmpresas(ConfigPage &page) = 0;
    // The server-derived settings of the station CNPJ (segment, installments,
    // municipality, VALOR_MENSA).
    virtual void atualizaParamWeb(ConfigPage &page) = 0;
    // "Baixar Atualização": starts the download of the update package, visibly.
    virtual void baixaAtualizacao(ConfigPage &page) = 0;
    // "Alterar Tipo do Sistema": the station-kind wizard.
    virtual void alteraTipoSistema(ConfigPage &page) = 0;
    // Closes the main window; the program ends.
    virtual void encerraAplicacao(ConfigPage &page) = 0;
};

} // namespace zx
