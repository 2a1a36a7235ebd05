#pragma once
// The main window: a thin frame that owns the page control with every page of the
// station, the main-window state, the start-up and shutdown sequences and the hot
// keys. The business pages are composed into it (see PageComposition.cpp) and join
// its sequences through ShellHooks.
#include "shell/MainState.h"
#include "shell/ShellHooks.h"

#include <QColor>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class QFrame;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;

namespace zx {

class ConfigPage;
class ConfigPageHooks;
class PageControl;
class StationHttpClient;
class TDM;

class TFrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // The pages of PageControl1 and of the nested page controls 2 and 3.
    enum class Page {
        Cartao, // tabCartao "&Cartão" (PageControl2 below it)
        Autorizar, // TabAutorizar "&Autorizar"
        Extorno, // TabExtorno "&Extornar"
        Saldo, // TabSaldo "&Saldo"
        CartFidelid, // TabCartFidelid "Ad&m. Cartão Fidelidade" (PageControl5)
        Utilit, // TabUtilit "&Utilitários" (PageControl3)
        Config, // tabConfig "C&onfigurações"
        Relatorio, // TabRelatorio "Im&pressões"
        CancCart, // TabCancCart "C&ancelamento de Cartão" (always hidden)
        Func, // tabFunc "&Funcionários da Instituição" (PageControl4)
        AutManual, // tabAutManual "Autorização Manual" (always hidden)
    };

    // Colours of the status panels: the Zentrix network and loyalty work.
    static inline const QColor kCorRede = QColor(0, 91, 0);
    static inline const QColor kCorFidelidade = QColor(0, 0, 255);

    // Builds the business pages into a new window (composePages for the program).
    using Composer = std::function<void(TFrmPrincipal &)>;

    // arguments: the program's command line with the program path first (the
    // station-path options already removed).
    TFrmPrincipal(TDM &dm, const QStringList &arguments, QWidget *parent = nullptr,
        const Composer &compose = defaultComposer());
    static Composer defaultComposer();
    ~TFrmPrincipal() override;

    // "ZENTrix (Versão: " + version + ")".
    static QString tituloJanela();

    // ---- what pages use
    MainState &state() { return m_state; }
    const MainState &state() const { return m_state; }
    ShellHooks &hooks() { return m_hooks; }
    TDM &dm() { return m_dm; }
    // The station's plain HTTP client (legacy web pages), set up from kv.ini.
    StationHttpClient &httpClient() { return *m_http; }
    // The configuration page on tabConfig.
    ConfigPage &configPage() { return *m_config; }
    // The configuration page's server steps; the window keeps them.
    void setConfigHooks(std::unique_ptr<ConfigPageHooks> hooks);
    ConfigPageHooks *configHooks() const { return m_configHooks.get(); }

    QWidget *page(Page p) const;
    PageControl *pageControl(int number) const; // 1 to 5
    // Puts a page's content below what the frame already shows on it (the card bar
    // on the three card pages). Content that grows vertically fills the page; other
    // content keeps its height at the top. The frame takes ownership.
    void setPageContent(Page p, QWidget *content);
    // Adds a page to the nested page control of tabFunc (PageControl4) or of
    // TabCartFidelid (PageControl5).
    void addNestedPage(Page parent, QWidget *page, const QString &caption);
    // Changes the page without the guard (the window's own moves).
    void activatePage(Page p);
    bool isPageVisible(Page p) const;
    Page activeCardPage() const; // Autorizar, Extorno or Saldo

    // The card bar shared by the three card pages: moved onto the active one.
    QLineEdit *cardNumberField() const { return m_edtNrCartao; }
    QPushButton *validarButton() const { return m_btnValidar; }
    // "&Validar" runs this with the active card page; disabled until it is set.
    void setValidarAction(std::function<void(Page)> action);
    // A button of one card page, shown in the card bar before "&Fechar" while that
    // page is active (the sale page's "&Imprimir").
    void addCardBarButton(Page cardPage, QPushButton *button);

    QPlainTextEdit *memRetorno() const { return m_memRetorno; }
    QLabel *lblStatus() const { return m_lblStatus; }
    QColor statusColour() const { return m_statusColour; }
    // Paints the status panels for ordinary (network) or loyalty work and hands the
    // colour to the service client's wait window.
    void aplicaCores(bool ordinary);
    // The values the service client holds for this window (cnpjEstac, ...).
    const ServiceHandOver &serviceValues() const { return m_service; }

    // ---- operations offered to the pages
    // The no-connection report: status line, memo lines and, when asked, the error box.
    void msgSemConexao(bool showDialog);
    // Writes the integration file (integration mode only).
    void gravaIntegracao(const QString &firstLine);
    // The company choice of an institution station (start-up, Ctrl+F5 reuse). False when
    // the list was closed without a choice (the window is then closing).
    bool escolheEmpresa();
    // "Alterar Tipo do Sistema": the wizard on the current kind; a new kind is stored
    // and the program ends after "Reinicie o aplicativo!!!".
    void btnAltTpSistClick();

    // True once the start-up sequence has run to its end.
    bool startupFinished() const { return m_startupDone; }

signals:
    void startupDone();

public slots:
    void FormShow();

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QWidget *buildCardTab();
    void buildCardBar();
    QWidget *newPage(Page p, const char *objectName, const QString &caption);

    // Start-up steps.
    void leConfiguracao();
    void aplicaTipoEstacao();
    void primeiraExecucao();
    void entregaValoresServico();
    void carregaPaginaConfig();
    void modoIntegracao();

    // Handlers of the page controls.
    bool PageControl1Changing() const;
    void PageControl1Change(QWidget *page);
    void PageControl2Change(QWidget *page);
    void PageControl3Change(QWidget *page);
    void TabUtilitShow();
    void tabCartaoShow();
    void tabConfigShow();
    void Image2Click();

    bool FormKeyDown(QKeyEvent *event);
    void FormClose();
    void gravaEscolhas();
    void limpezaVenda();
    void imprimeContrato();

    TDM &m_dm;
    QStringList m_args;
    MainState m_state;
    ShellHooks m_hooks;
    bool m_showStarted = false;
    bool m_startupDone = false;
    bool m_closed = false;
    QColor m_statusColour = kCorRede;
    ServiceHandOver m_service;
    StationHttpClient *m_http = nullptr;
    ConfigPage *m_config = nullptr;
    std::unique_ptr<ConfigPageHooks> m_configHooks;

    PageControl *m_pc[6] = {};
    std::map<Page, QWidget *> m_pages;
    std::map<Page, QVBoxLayout *> m_pageLayouts;
    std::map<Page, QSpacerItem *> m_pageSpacers;

    QFrame *m_panel1 = nullptr; // status panel of the card pages
    QFrame *m_panel2 = nullptr; // header panel
    QLabel *m_lblSuporte = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPlainTextEdit *m_memRetorno = nullptr;

    QWidget *m_cardBar = nullptr;
    QHBoxLayout *m_cardBarLayout = nullptr;
    QLabel *m_lblNrCartao = nullptr;
    QLineEdit *m_edtNrCartao = nullptr;
    QPushButton *m_btnValidar = nullptr;
    QPushButton *m_btnFechar = nullptr;
    std::function<void(Page)> m_validar;
    std::multimap<Page, QPushButton *> m_cardBarButtons;
};

} // namespace zx
