#include "shell/TFrmPrincipal.h"

#include "shell/PageComposition.h"
#include "shell/PageControl.h"
#include "shell/Versao.h"
#include "shell/WebAddresses.h"

#include "config/ConfigPage.h"
#include "config/ConfigPageHooks.h"
#include "config/StationHttpClient.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zx {

namespace {
// The header image: clicking it opens the network's web site (its hint).
class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
            clicked();
        QLabel::mouseReleaseEvent(e);
    }
};

void paintPanel(QFrame *panel, const QColor &colour)
{
    if (!panel)
        return;
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
}
} // namespace

TFrmPrincipal::Composer TFrmPrincipal::defaultComposer()
{
    return composePages;
}

TFrmPrincipal::TFrmPrincipal(
    TDM &dm, const QStringList &arguments, QWidget *parent, const Composer &compose)
    : QMainWindow(parent)
    , m_dm(dm)
    , m_args(arguments)
{
    // FormCreate: nothing but the integration flag happens before the first showing.
    m_state.integrationMode = false;
    setObjectName(QStringLiteral("FrmPrincipal"));
    setWindowTitle(tituloJanela());
    m_http = new StationHttpClient(this);
    buildWindow();
    if (compose)
        compose(*this);
    qApp->installEventFilter(this);
}

TFrmPrincipal::~TFrmPrincipal()
{
    qApp->removeEventFilter(this);
    // The page may not outlive its hooks.
    if (m_config)
        m_config->setHooks(nullptr);
}

void TFrmPrincipal::setConfigHooks(std::unique_ptr<ConfigPageHooks> hooks)
{
    m_config->setHooks(hooks.get());
    m_configHooks = std::move(hooks);
}

QString TFrmPrincipal::tituloJanela()
{
    return QStringLiteral("ZENTrix (Versão: ") + versaoSistema() + QLatin1Char(')');
}

QWidget *TFrmPrincipal::newPage(Page p, const char *objectName, const QString &caption)
{
    auto *w = new QWidget;
    w->setObjectName(QLatin1String(objectName));
    w->setWindowTitle(caption);
    auto *l = new QVBoxLayout(w);
    l->setContentsMargins(6, 6, 6, 6);
    m_pages[p] = w;
    // Content that does not grow sits at the top of its page.
    auto *spacer = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    l->addItem(spacer);
    m_pageLayouts[p] = l;
    m_pageSpacers[p] = spacer;
    return w;
}

void TFrmPrincipal::buildWindow()
{
    auto *central = new QWidget;
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);

    // Header panel with the network's mark and the support line.
    m_panel2 = new QFrame;
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    auto *h = new QHBoxLayout(m_panel2);
    h->setContentsMargins(10, 6, 10, 6);
    auto *image2 = new ClickableLabel;
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setText(QStringLiteral("ZENTrix"));
    QFont f = image2->font();
    f.setBold(true);
    f.setPixelSize(26);
    image2->setFont(f);
    image2->setToolTip(web::kSite);
    image2->setCursor(Qt::PointingHandCursor);
    image2->clicked = [this] { Image2Click(); };
    h->addWidget(image2);
    h->addStretch();
    m_lblSuporte = new QLabel(QStringLiteral("Suporte ZENTrix: ") + web::kSite);
    m_lblSuporte->setObjectName(QStringLiteral("lblSuporte"));
    h->addWidget(m_lblSuporte);
    v->addWidget(m_panel2);

    for (int i = 1; i <= 5; ++i) {
        m_pc[i] = new PageControl;
        m_pc[i]->setObjectName(QStringLiteral("PageControl%1").arg(i));
    }
    PageControl *pc1 = m_pc[1];

    pc1->addTab(buildCardTab(), QStringLiteral("&Cartão"));

    QWidget *fid
        = newPage(Page::CartFidelid, "TabCartFidelid", QStringLiteral("Ad&m. Cartão Fidelidade"));
    setPageContent(Page::CartFidelid, m_pc[5]);
    pc1->addTab(fid, fid->windowTitle());

    QWidget *util = newPage(Page::Utilit, "TabUtilit", QStringLiteral("&Utilitários"));
    setPageContent(Page::Utilit, m_pc[3]);
    for (auto [p, name, caption] :
        { std::tuple { Page::Config, "tabConfig", QStringLiteral("C&onfigurações") },
            std::tuple { Page::Relatorio, "TabRelatorio", QStringLiteral("Im&pressões") },
            std::tuple {
                Page::CancCart, "TabCancCart", QStringLiteral("C&ancelamento de Cartão") } }) {
        QWidget *w = newPage(p, name, caption);
        m_pc[3]->addTab(w, caption);
    }
    pc1->addTab(util, util->windowTitle());
    m_config = new ConfigPage(m_dm, m_state);
    m_config->setHttpClient(m_http);
    setPageContent(Page::Config, m_config);

    QWidget *func = newPage(Page::Func, "tabFunc", QStringLiteral("&Funcionários da Instituição"));
    setPageContent(Page::Func, m_pc[4]);
    pc1->addTab(func, func->windowTitle());

    QWidget *manual
        = newPage(Page::AutManual, "tabAutManual", QStringLiteral("Autorização Manual"));
    pc1->addTab(manual, manual->windowTitle());

    v->addWidget(pc1, 1);
    setCentralWidget(central);
    resize(900, 640);

    // Page changes are refused while the station has no company.
    pc1->setChangingGuard([this] { return PageControl1Changing(); });
    m_pc[3]->setChangingGuard([this] { return PageControl1Changing(); });
    connect(pc1, &PageControl::pageChanged, this, &TFrmPrincipal::PageControl1Change);
    connect(m_pc[2], &PageControl::pageChanged, this, &TFrmPrincipal::PageControl2Change);
    connect(m_pc[3], &PageControl::pageChanged, this, &TFrmPrincipal::PageControl3Change);

    aplicaCores(true);
    PageControl2Change(page(Page::Autorizar));
}

QWidget *TFrmPrincipal::buildCardTab()
{
    QWidget *card = newPage(Page::Cartao, "tabCartao", QStringLiteral("&Cartão"));
    for (auto [p, name, caption] :
        { std::tuple { Page::Autorizar, "TabAutorizar", QStringLiteral("&Autorizar") },
            std::tuple { Page::Extorno, "TabExtorno", QStringLiteral("&Extornar") },
            std::tuple { Page::Saldo, "TabSaldo", QStringLiteral("&Saldo") } }) {
        QWidget *w = newPage(p, name, caption);
        m_pc[2]->addTab(w, caption);
    }
    setPageContent(Page::Cartao, m_pc[2]);

    m_memRetorno = new QPlainTextEdit;
    m_memRetorno->setObjectName(QStringLiteral("MemRetorno"));
    m_memRetorno->setReadOnly(true);
    QPalette mp = m_memRetorno->palette();
    mp.setColor(QPalette::Base, Qt::black);
    mp.setColor(QPalette::Text, QColor(0, 255, 0));
    m_memRetorno->setPalette(mp);
    QFont mf(QStringLiteral("Courier New"));
    mf.setStyleHint(QFont::Monospace);
    mf.setBold(true);
    m_memRetorno->setFont(mf);
    m_memRetorno->setMinimumHeight(120);
    setPageContent(Page::Cartao, m_memRetorno);

    m_panel1 = new QFrame;
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    auto *pl = new QHBoxLayout(m_panel1);
    pl->setContentsMargins(8, 4, 8, 4);
    m_lblStatus = new QLabel;
    m_lblStatus->setObjectName(QStringLiteral("LblStatus"));
    QFont sf = m_lblStatus->font();
    sf.setBold(true);
    m_lblStatus->setFont(sf);
    pl->addWidget(m_lblStatus, 1);
    setPageContent(Page::Cartao, m_panel1);

    buildCardBar();
    return card;
}

void TFrmPrincipal::buildCardBar()
{
    m_cardBar = new QWidget;
    m_cardBar->setObjectName(QStringLiteral("PnlCartao"));
    m_cardBarLayout = new QHBoxLayout(m_cardBar);
    m_cardBarLayout->setContentsMargins(0, 0, 0, 0);
    m_lblNrCartao = new QLabel(QStringLiteral("Número do Cartão:"));
    m_lblNrCartao->setObjectName(QStringLiteral("lblNrCartao"));
    m_edtNrCartao = new QLineEdit;
    m_edtNrCartao->setObjectName(QStringLiteral("EdtNrCartao"));
    m_edtNrCartao->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), m_edtNrCartao));
    m_lblNrCartao->setBuddy(m_edtNrCartao);
    m_btnValidar = new QPushButton(QStringLiteral("&Validar"));
    m_btnValidar->setObjectName(QStringLiteral("BtnValidar"));
    m_btnValidar->setEnabled(false); // until the card pages give it something to do
    m_btnFechar = new QPushButton(QStringLiteral("&Fechar"));
    m_btnFechar->setObjectName(QStringLiteral("BtnFechar"));
    m_cardBarLayout->addWidget(m_lblNrCartao);
    m_cardBarLayout->addWidget(m_edtNrCartao, 1);
    m_cardBarLayout->addWidget(m_btnValidar);
    m_cardBarLayout->addWidget(m_btnFechar);
    connect(m_btnValidar, &QPushButton::clicked, this, [this] {
        if (m_validar)
            m_validar(activeCardPage());
    });
    // BtnFecharClick
    connect(m_btnFechar, &QPushButton::clicked, this, &QWidget::close);
}

void TFrmPrincipal::setValidarAction(std::function<void(Page)> action)
{
    m_validar = std::move(action);
    m_btnValidar->setEnabled(bool(m_validar));
}

void TFrmPrincipal::addCardBarButton(Page cardPage, QPushButton *button)
{
    m_cardBarButtons.insert({ cardPage, button });
    m_cardBarLayout->insertWidget(m_cardBarLayout->indexOf(m_btnFechar), button);
    PageControl2Change(m_pc[2]->currentWidget());
}

QWidget *TFrmPrincipal::page(Page p) const
{
    const auto it = m_pages.find(p);
    return it == m_pages.end() ? nullptr : it->second;
}

PageControl *TFrmPrincipal::pageControl(int number) const
{
    return number >= 1 && number <= 5 ? m_pc[number] : nullptr;
}

void TFrmPrincipal::setPageContent(Page p, QWidget *content)
{
    QVBoxLayout *l = m_pageLayouts.at(p);
    QSpacerItem *&spacer = m_pageSpacers[p];
    const bool grows = QWidgetItem(content).expandingDirections() & Qt::Vertical;
    l->insertWidget(spacer ? l->indexOf(spacer) : l->count(), content, grows ? 1 : 0);
    if (grows && spacer) {
        l->removeItem(spacer);
        delete spacer;
        spacer = nullptr;
    }
}

void TFrmPrincipal::addNestedPage(Page parent, QWidget *nested, const QString &caption)
{
    PageControl *pc = parent == Page::Func ? m_pc[4]
        : parent == Page::CartFidelid      ? m_pc[5]
                                           : nullptr;
    Q_ASSERT(pc);
    if (pc)
        pc->addTab(nested, caption);
}

void TFrmPrincipal::activatePage(Page p)
{
    QWidget *w = page(p);
    switch (p) {
    case Page::Autorizar:
    case Page::Extorno:
    case Page::Saldo:
        m_pc[1]->setActivePage(page(Page::Cartao));
        m_pc[2]->setActivePage(w);
        break;
    case Page::Config:
    case Page::Relatorio:
    case Page::CancCart:
        m_pc[1]->setActivePage(page(Page::Utilit));
        m_pc[3]->setActivePage(w);
        break;
    default:
        m_pc[1]->setActivePage(w);
        break;
    }
}

bool TFrmPrincipal::isPageVisible(Page p) const
{
    QWidget *w = page(p);
    for (int i = 1; i <= 3; ++i)
        if (m_pc[i]->indexOf(w) >= 0)
            return m_pc[i]->isPageVisible(w);
    return false;
}

TFrmPrincipal::Page TFrmPrincipal::activeCardPage() const
{
    QWidget *w = m_pc[2]->currentWidget();
    if (w == page(Page::Extorno))
        return Page::Extorno;
    if (w == page(Page::Saldo))
        return Page::Saldo;
    return Page::Autorizar;
}

void TFrmPrincipal::aplicaCores(bool ordinary)
{
    m_statusColour = ordinary ? kCorRede : kCorFidelidade;
    paintPanel(m_panel1, m_statusColour);
    paintPanel(m_panel2, m_statusColour);
    QPalette p = m_lblSuporte->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    m_lblSuporte->setPalette(p);
    m_service.corAguarde = m_statusColour;
    m_hooks.handOver(m_service);
}

// ---- page handlers

bool TFrmPrincipal::PageControl1Changing() const
{
    // A station that never saved its configuration stays on the configuration page.
    return !m_state.stationCnpj.trimmed().isEmpty();
}

void TFrmPrincipal::PageControl1Change(QWidget *p)
{
    if (m_service.cnpjEstac.isEmpty() && !m_state.stationCnpj.isEmpty()) {
        m_service.cnpjEstac = m_state.stationCnpj;
        m_hooks.handOver(m_service);
    }
    aplicaCores(p != page(Page::CartFidelid));
    if (p == page(Page::Utilit))
        TabUtilitShow();
    else if (p == page(Page::Cartao))
        tabCartaoShow();
    m_state.notifyChanged();
}

void TFrmPrincipal::PageControl2Change(QWidget *p)
{
    if (!p)
        return;
    const bool extorno = p == page(Page::Extorno);
    QVBoxLayout *l = m_pageLayouts.at(activeCardPage());
    l->insertWidget(0, m_cardBar);
    m_cardBar->show();
    m_lblNrCartao->setVisible(!extorno);
    m_edtNrCartao->setVisible(!extorno);
    for (auto &[owner, button] : m_cardBarButtons)
        button->setVisible(owner == activeCardPage());
    if (!extorno)
        m_edtNrCartao->setFocus();
}

void TFrmPrincipal::PageControl3Change(QWidget *p)
{
    if (p == page(Page::Config))
        tabConfigShow();
}

void TFrmPrincipal::TabUtilitShow()
{
    // Merchant stations open the utilities on their reports.
    if (isPageVisible(Page::Cartao) && isPageVisible(Page::Relatorio))
        m_pc[3]->setActivePage(page(Page::Relatorio));
    else if (m_pc[3]->currentWidget() == page(Page::Config))
        tabConfigShow();
}

void TFrmPrincipal::tabCartaoShow()
{
    if (m_edtNrCartao->isVisibleTo(this))
        m_edtNrCartao->setFocus();
}

void TFrmPrincipal::tabConfigShow()
{
    carregaPaginaConfig();
}

void TFrmPrincipal::carregaPaginaConfig()
{
    m_config->carregaConfig();
}

void TFrmPrincipal::Image2Click()
{
    Platform::desktop().openUrl(web::kSite);
}

void TFrmPrincipal::setVisible(bool visible)
{
    // The start-up sequence runs once, before the window first appears: its dialogs
    // come up on their own, and a start that ends early never shows the window.
    if (visible && !m_showStarted) {
        m_showStarted = true;
        FormShow();
        if (m_closed)
            return;
    }
    QMainWindow::setVisible(visible);
}

} // namespace zx
