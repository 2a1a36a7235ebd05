#pragma once
// The configuration page "C&onfigurações" (tabConfig) of the main window: the
// station's company (first row of PARAMETRO), the receipt printing settings and the
// connection settings of kv.ini, and the Num Lock choice of configura.ini.
//
// The frame reloads it (carregaConfig) at start and every time the page is shown.
// Server steps and the buttons that belong to the shell go through ConfigPageHooks.
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zx {

class ConfigPageHooks;
class StationHttpClient;
class StationSettings;
class TDM;
struct MainState;

class ConfigPage : public QWidget {
    Q_OBJECT
public:
    // dm: the tables and the company name; state: station CNPJ, company name and the
    // installments flag, updated on load and save (listeners are told).
    ConfigPage(TDM &dm, MainState &state, QWidget *parent = nullptr);

    // Caption of the page in the utilities' page control.
    static QString caption() { return QStringLiteral("C&onfigurações"); }

    // The station's HTTP client that aplicaConexao configures (none: not applied).
    void setHttpClient(StationHttpClient *http) { m_http = http; }
    // Enables "Atualizar cadastro", "Baixar Atualização" and "Alterar Tipo do Sistema".
    void setHooks(ConfigPageHooks *hooks);
    ConfigPageHooks *hooks() const { return m_hooks; }

    // Digits of the CNPJ field.
    QString cnpjDigitos() const;
    // The CNPJ the company data is fetched for: the station CNPJ, which takes the
    // field's digits first when it is blank.
    QString cnpjConsulta();
    // Unsaved edits ("Alterar" enabled).
    bool alteracaoPendente() const;

    // The company's registration as the server holds it: the CNPJ field shows the
    // station CNPJ, the address becomes logradouro + ", " + (number or "S/N") + " - " +
    // district, and the page is saved quietly.
    void aplicaDadosEmpresa(const QString &razao, const QString &fantasia,
        const QString &logradouro, const QString &telefone, const QString &numero,
        const QString &bairro);

public slots:
    // Fills the page from kv.ini, configura.ini and PARAMETRO; "Alterar" disabled.
    void carregaConfig();
    // Saves the page. Quiet skips the CNPJ check (server data). True when everything
    // was stored; false after a message (time-out, CNPJ, file or table failure).
    bool gravaConfig(bool quiet);
    // Applies the time-out and proxy of the station file to the HTTP client.
    void aplicaConexao();
    // Any field changed: "Alterar" enabled.
    void edtRazaoChange();

    void btnAlterarClick();
    void BtnBuscDadClick();
    void BtnBxAtualClick();
    void btnAltTpSistClick();

signals:
    // After carregaConfig (the report page prepares its dates, the service client
    // takes the company name).
    void carregada();
    // After the company row was stored (station CNPJ and company name changed).
    void empresaGravada();

private:
    void build();
    QLineEdit *edit(const QString &name);
    QCheckBox *check(const QString &name, const QString &text);
    void setUpper(QLineEdit *e, const QString &text);
    void setTelefone(const QString &digits);
    int tipoImpressao() const;
    void setTipoImpressao(int index);
    void carregaEmpresa();
    bool gravaEmpresa();
    void reportaArquivo(const StationSettings &s, bool kvOk, bool cfgOk);

    TDM &m_dm;
    MainState &m_state;
    StationHttpClient *m_http = nullptr;
    ConfigPageHooks *m_hooks = nullptr;

    QLineEdit *m_razao;
    QLineEdit *m_fantasia;
    QLineEdit *m_cnpj;
    QLineEdit *m_endereco;
    QLineEdit *m_telefone;
    QLineEdit *m_nrCopias;
    QLineEdit *m_linAvan;
    QCheckBox *m_visAut;
    QLineEdit *m_porta;
    QGroupBox *m_tpImpress;
    QButtonGroup *m_tpImpressButtons;
    QLineEdit *m_templim;
    QCheckBox *m_habParc;
    QCheckBox *m_relExcel;
    QCheckBox *m_numLock;
    QGroupBox *m_conexao;
    QCheckBox *m_conProxy;
    QLineEdit *m_serProxy;
    QLineEdit *m_portProxy;
    QLineEdit *m_usuarProxy;
    QLineEdit *m_senProxy;
    QCheckBox *m_autBasic;
    QPushButton *m_alterar = nullptr;
    QPushButton *m_buscDad;
    QPushButton *m_bxAtual;
    QPushButton *m_altTpSist;
};

} // namespace zx
