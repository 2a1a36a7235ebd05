#include "merchant/CardPage.h"

#include "merchant/CardText.h"
#include "merchant/SaleJournal.h"
#include "merchant/TwcCartao.h"
#include "merchant/imprimeAutorizacao.h"

#include "common/Messages.h"
#include "common/core/Money.h"
#include "common/core/TextHelpers.h"
#include "config/ParamFornecedor.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"
#include "service/Atualizacao.h"
#include "service/TFrmAguaLogin.h"
#include "service/Twc.h"
#include "service/VersaoPrograma.h"
#include "service/protocol/RecordList.h"
#include "shell/MainState.h"
#include "shell/ShellHooks.h"
#include "shell/WebAddresses.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace zx {

namespace {

const QString kSolicitePrompt = QStringLiteral("Solicite a digitação da senha");
const QString kErroBase =
    QStringLiteral("Erro ao tentar conectar na Base de Dados. Reinicie o aplicativo!!!");
const QString kErroGravar = QStringLiteral("Erro ao tentar gravar localmente!!!");
const QString kNaoEncontrada = QStringLiteral("Autorização não encontrada!!!");
const QString kInexistente = QStringLiteral("Mensagem de Retorno: AUTORIZAÇÃO INEXISTENTE!!!");
const QString kSistema = QStringLiteral("TQBSYSTEM");

void erro(const QString &texto)
{
    Platform::dialogs().message(kCaption, texto, MsgIcon::Error, MsgButton::Ok);
}

QLineEdit *soDigitos(const char *nome)
{
    auto *e = new QLineEdit;
    e->setObjectName(QLatin1String(nome));
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

std::optional<protocol::TRegist> umRegistro(const QString &reply)
{
    if (reply.trimmed().isEmpty())
        return std::nullopt;
    protocol::TblTemp t;
    const std::optional<int> n = protocol::setTblTempXMLSt(reply, t);
    if (!n || t.isEmpty())
        return std::nullopt;
    return t.first();
}

bool enter(const QKeyEvent *k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
           && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

CardPage::CardPage(const CardFrame &frame, QObject *parent) : QObject(parent), m_f(frame)
{
    setObjectName(QStringLiteral("CardPage"));
    montaPaginas();

    if (m_f.setValidarAction)
        m_f.setValidarAction([this](CardPageKind p) { BtnValidarClick(p); });
    if (m_f.hooks) {
        m_f.hooks->add(StartupStep::PendingSales, QStringLiteral("verifSolicPend"), [this] { verifSolicPend(); });
        m_f.hooks->add(CloseStep::PendingSales, QStringLiteral("verifSolicPend"), [this] { verifSolicPend(); });
        m_f.hooks->setKey(HotKey::AltT, [this] { lblUtilAutClick(); });
    }
    // The window sees every key first and moves on with Enter; the card fields have
    // their own Enter, so their filter goes in once the window has installed its own.
    QTimer::singleShot(0, this, [this] { qApp->installEventFilter(this); });
}

CardPage::~CardPage()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

Twc &CardPage::wc() const { return m_f.wc ? *m_f.wc : Twc::instance(); }

void CardPage::setDebitoMensal(std::function<void(const QString &)> debito)
{
    m_debitoMensal = std::move(debito);
}

void CardPage::montaPaginas()
{
    // "&Autorizar": installments, amount; "&Imprimir" in the card bar.
    auto *aut = new QWidget;
    aut->setObjectName(QStringLiteral("PnlAutorizar"));
    auto *ha = new QHBoxLayout(aut);
    ha->setContentsMargins(0, 0, 0, 0);
    m_lblParc = new QLabel(QStringLiteral("Parc.:"));
    m_lblParc->setObjectName(QStringLiteral("lblParc"));
    m_edtQtdParc = soDigitos("edtQtdParc");
    m_edtQtdParc->setText(QStringLiteral("1"));
    m_edtQtdParc->setMaximumWidth(50);
    m_lblParc->setBuddy(m_edtQtdParc);
    auto *lblValor = new QLabel(QStringLiteral("Valor:"));
    lblValor->setObjectName(QStringLiteral("lblValor"));
    m_edtValor = new QLineEdit;
    m_edtValor->setObjectName(QStringLiteral("EdtValor"));
    m_edtValor->setAlignment(Qt::AlignRight);
    lblValor->setBuddy(m_edtValor);
    ha->addWidget(m_lblParc);
    ha->addWidget(m_edtQtdParc);
    ha->addWidget(lblValor);
    ha->addWidget(m_edtValor);
    ha->addStretch(1);
    const bool parcelar = m_f.state && m_f.state->installmentsEnabled;
    m_edtQtdParc->setEnabled(parcelar);
    m_lblParc->setEnabled(parcelar);
    if (m_f.state && !m_f.state->presetSaleValue.isEmpty())
        m_edtValor->setText(m_f.state->presetSaleValue);

    m_btnImprimir = new QPushButton(QStringLiteral("&Imprimir"));
    m_btnImprimir->setObjectName(QStringLiteral("BtnImprimir"));
    m_btnImprimir->setEnabled(false);
    connect(m_btnImprimir, &QPushButton::clicked, this, &CardPage::BtnImprimirClick);

    // "&Extornar": the authorization number.
    auto *ext = new QWidget;
    ext->setObjectName(QStringLiteral("PnlExtorno"));
    auto *he = new QHBoxLayout(ext);
    he->setContentsMargins(0, 0, 0, 0);
    auto *lblAut = new QLabel(QStringLiteral("Número da Autorização:"));
    lblAut->setObjectName(QStringLiteral("lblAutoriz"));
    m_edtAutoriz = soDigitos("EdtAutoriz");
    lblAut->setBuddy(m_edtAutoriz);
    he->addWidget(lblAut);
    he->addWidget(m_edtAutoriz, 1);

    // "&Saldo": the two links.
    auto *sal = new QWidget;
    sal->setObjectName(QStringLiteral("PnlSaldo"));
    auto *hs = new QHBoxLayout(sal);
    hs->setContentsMargins(0, 0, 0, 0);
    // A link, not a button: Alt+T reaches it through the window's keys, so the
    // mnemonic letter is drawn underlined instead of the '&' a label would show.
    m_lblUtilAut = new QLabel(QStringLiteral("Efe<u>t</u>uar venda nesse cartão"));
    m_lblUtilAut->setObjectName(QStringLiteral("lblUtilAut"));
    m_lblUtilAut->setTextFormat(Qt::RichText);
    m_lblUtilAut->setTextInteractionFlags(Qt::NoTextInteraction);
    m_lblUtilAut->hide();
    m_lblConsDadCart = new QLabel(QStringLiteral("Consultar dados do cartão"));
    m_lblConsDadCart->setObjectName(QStringLiteral("LblConsDadCart"));
    hs->addWidget(m_lblUtilAut);
    hs->addWidget(m_lblConsDadCart);
    hs->addStretch(1);
    for (QLabel *l : {m_lblUtilAut, m_lblConsDadCart}) {
        l->setMouseTracking(true);
        l->installEventFilter(this);
    }

    m_lblObs = new QLabel(QStringLiteral(
        "Obs.: A apresentação de documento de identificação com FOTO será obrigatória para "
        "efetuar essa transação."));
    m_lblObs->setObjectName(QStringLiteral("lblObs"));
    m_lblObs->setWordWrap(true);

    if (m_f.setPageContent) {
        m_f.setPageContent(CardPageKind::Autorizar, aut);
        m_f.setPageContent(CardPageKind::Extorno, ext);
        m_f.setPageContent(CardPageKind::Saldo, sal);
    }
    if (m_f.addCardBarButton)
        m_f.addCardBarButton(CardPageKind::Autorizar, m_btnImprimir);
    if (m_f.tabCartao && m_f.tabCartao->layout()) {
        m_f.tabCartao->layout()->addWidget(m_lblObs);
        m_f.tabCartao->installEventFilter(this);
    }

    for (QWidget *w : {static_cast<QWidget *>(m_f.edtNrCartao), static_cast<QWidget *>(m_edtValor),
                       static_cast<QWidget *>(m_edtAutoriz)})
        if (w)
            w->installEventFilter(this);

    if (m_f.state)
        m_f.state->onChange([this] {
            // Settings changed by the window (configuration saved, start-up read).
            if (!m_edtQtdParc->isEnabled() && m_f.state->installmentsEnabled == false)
                m_edtQtdParc->setText(QStringLiteral("1"));
            if (!m_f.state->presetSaleValue.isEmpty() && m_edtValor->text().isEmpty())
                m_edtValor->setText(m_f.state->presetSaleValue);
            m_edtValor->setReadOnly(m_f.state->saleValueReadOnly);
        });
}

// ---- events

bool CardPage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(event);
        if (!enter(k))
            break;
        if (watched == m_f.edtNrCartao) {
            EdtNrCartaoKeyEnter();
            return true;
        }
        if (watched == m_edtValor || watched == m_edtAutoriz) {
            EdtValorKeyEnter();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == m_f.edtNrCartao)
            EdtNrCartaoEnter();
        else if (watched == m_edtValor)
            EdtValorEnter();
        else if (watched == m_edtAutoriz)
            EdtAutorizEnter();
        break;
    case QEvent::FocusOut:
        if (watched == m_f.edtNrCartao)
            EdtNrCartaoExit();
        else if (watched == m_edtValor)
            EdtValorExit();
        else if (watched == m_edtAutoriz)
            EdtAutorizExit();
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (watched == m_lblUtilAut || watched == m_lblConsDadCart)
            linkVisual(static_cast<QLabel *>(watched), true);
        break;
    case QEvent::Leave:
        if (watched == m_lblUtilAut || watched == m_lblConsDadCart)
            linkVisual(static_cast<QLabel *>(watched), false);
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_lblUtilAut) {
            lblUtilAutClick();
            return true;
        }
        if (watched == m_lblConsDadCart) {
            LblConsDadCartClick();
            return true;
        }
        break;
    case QEvent::Show:
        if (watched == m_f.tabCartao)
            m_lblConsDadCart->show();
        break;
    default:
        break;
    }
    // The amount field's own key rule: one decimal comma, "." typed as ",".
    if (event->type() == QEvent::KeyPress && watched == m_edtValor) {
        auto *k = static_cast<QKeyEvent *>(event);
        const QString t = k->text();
        if (t.size() == 1 && t.at(0).isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const QString atual = m_edtValor->selectedText().isEmpty()
                                      ? m_edtValor->text()
                                      : QString(m_edtValor->text()).remove(m_edtValor->selectionStart(),
                                                                           m_edtValor->selectedText().size());
            const QChar c = cartao::teclaValor(atual, t.at(0));
            if (c.isNull())
                return true;
            if (c != t.at(0)) {
                m_edtValor->insert(QString(c));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void CardPage::linkVisual(QLabel *label, bool sobre)
{
    QFont f = label->font();
    f.setBold(sobre);
    f.setUnderline(sobre);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, sobre ? QColor(Qt::blue) : QApplication::palette().color(QPalette::WindowText));
    label->setPalette(p);
    if (sobre)
        label->setCursor(Qt::PointingHandCursor);
    else
        label->unsetCursor();
}

// ---- fields

void CardPage::status(const QString &texto)
{
    if (m_f.lblStatus)
        m_f.lblStatus->setText(texto);
}

void CardPage::memo(const QString &linha)
{
    if (m_f.memRetorno)
        m_f.memRetorno->appendPlainText(linha);
}

void CardPage::EdtNrCartaoEnter() { status(QStringLiteral("Informe o nº do Cartão ou passe-o pela Leitora")); }

void CardPage::EdtNrCartaoExit()
{
    QLineEdit *e = m_f.edtNrCartao;
    const QString novo = cartao::completaCartao(e->text());
    if (novo != e->text())
        e->setText(novo);
    if (m_f.activeCardPage && m_f.activeCardPage() == CardPageKind::Autorizar && cartao::numeroPositivo(novo)) {
        aplicaCoresRede();
        const bool parcelar = StationSettings().parcelar();
        if (m_f.state)
            m_f.state->installmentsEnabled = parcelar;
        m_edtQtdParc->setEnabled(parcelar);
        m_lblParc->setEnabled(parcelar);
        if (!parcelar)
            m_edtQtdParc->setText(QStringLiteral("1"));
    }
}

void CardPage::EdtNrCartaoKeyEnter()
{
    const CardPageKind p = m_f.activeCardPage ? m_f.activeCardPage() : CardPageKind::Autorizar;
    if (p == CardPageKind::Saldo) {
        if (m_f.btnValidar->isEnabled())
            BtnValidarClick(p);
    } else if (p == CardPageKind::Autorizar) {
        EdtNrCartaoExit();
        // As Tab would: the field's text is selected, so typing "2" replaces the "1".
        if (m_edtQtdParc->isEnabled())
            m_edtQtdParc->setFocus(Qt::TabFocusReason);
        else
            m_edtValor->setFocus(Qt::TabFocusReason);
    }
}

void CardPage::EdtValorEnter() { status(QStringLiteral("Informe o Valor da Compra")); }

void CardPage::EdtValorExit()
{
    const QString novo = cartao::completaValor(m_edtValor->text());
    if (novo != m_edtValor->text())
        m_edtValor->setText(novo);
}

void CardPage::EdtValorKeyEnter()
{
    const CardPageKind p = m_f.activeCardPage ? m_f.activeCardPage() : CardPageKind::Autorizar;
    if (m_f.edtNrCartao->text().trimmed().isEmpty() && m_edtValor->text().trimmed().isEmpty()
        && p != CardPageKind::Extorno) {
        if (m_btnImprimir->isEnabled())
            BtnImprimirClick();
        return;
    }
    if (m_f.btnValidar->isEnabled())
        BtnValidarClick(p);
}

void CardPage::EdtAutorizEnter() { status(QStringLiteral("Informe o Número da Autorização")); }

void CardPage::EdtAutorizExit()
{
    const QString novo = cartao::completaAutorizacao(m_edtAutoriz->text());
    if (novo != m_edtAutoriz->text())
        m_edtAutoriz->setText(novo);
}

void CardPage::aplicaCoresRede()
{
    if (m_f.aplicaCores)
        m_f.aplicaCores(true);
    wc().corAguarde = QColor(0, 91, 0);
}

bool CardPage::semPrompt(CardPageKind pagina) const
{
    const int seg = m_f.state ? m_f.state->segmentCode : 9;
    return (seg == 10 || seg == 11 || seg == 12) && pagina != CardPageKind::Saldo;
}

void CardPage::erroValidacao(const QString &texto, const QString &linhaMemo, QWidget *foco)
{
    status(texto);
    erro(texto);
    memo(linhaMemo);
    foco->setFocus();
}

void CardPage::habilita(bool sim)
{
    m_f.btnValidar->setEnabled(sim);
    if (m_f.btnFechar)
        m_f.btnFechar->setEnabled(sim);
    m_btnImprimir->setEnabled(sim && !m_ultAutoriz.isEmpty());
    m_f.edtNrCartao->setReadOnly(!sim);
    m_edtValor->setReadOnly(!sim || (m_f.state && m_f.state->saleValueReadOnly));
    m_edtAutoriz->setReadOnly(!sim);
}

// ---- "&Validar"

void CardPage::BtnValidarClick(CardPageKind pagina)
{
    Twc &w = wc();
    if (w.cnpjEstac.isEmpty() && m_f.state)
        w.cnpjEstac = m_f.state->stationCnpj;
    // The focus leaves the fields: their exit rules apply.
    if (QWidget *f = QApplication::focusWidget();
        f == m_f.edtNrCartao || f == m_edtValor || f == m_edtAutoriz)
        m_f.btnValidar->setFocus();
    EdtNrCartaoExit();
    EdtValorExit();
    EdtAutorizExit();
    QPlainTextEdit *mem = m_f.memRetorno;
    mem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto barras = qScopeGuard([mem] {
        mem->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        mem->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    });
    if (!m_f.btnValidar->isEnabled() || m_emRequisicao)
        return;

    mem->clear();
    m_f.edtNrCartao->setText(funcao::SoNumero(m_f.edtNrCartao->text()));
    QString senha = QStringLiteral("SS");
    if (pagina != CardPageKind::Extorno) {
        if (m_f.edtNrCartao->text().trimmed().isEmpty()) {
            erroValidacao(QStringLiteral("Cartão Inválido!!!"), QStringLiteral("Erro na Validação do Cartão..."),
                          m_f.edtNrCartao);
            return;
        }
        aplicaCoresRede();
        if (pagina == CardPageKind::Autorizar) {
            const std::optional<Money> v = Money::parse(funcao::FmtNr(m_edtValor->text().trimmed()));
            if (!v || !(*v > Money())) {
                erroValidacao(QStringLiteral("Valor Inválido!!!"), QStringLiteral("Erro na Validação do Valor..."),
                              m_edtValor);
                habilita(true);
                return;
            }
        }
        if (!semPrompt(pagina)) {
            const bool dica = !m_f.dm || !diario::cartaoConhecido(*m_f.dm, m_f.edtNrCartao->text());
            senha = w.getEnvUser(kSolicitePrompt, false, dica);
        }
    }
    if (senha.isEmpty()) {
        m_f.edtNrCartao->setFocus();
        return;
    }
    if (senha == u"SS")
        senha.clear();

    m_ultAutoriz.clear();
    m_emRequisicao = true;
    habilita(false);
    status(cartao::statusAguarde(m_f.tempoLimite ? m_f.tempoLimite() : 60));
    QApplication::processEvents();

    bool reabilita = true;
    switch (pagina) {
    case CardPageKind::Autorizar:
        reabilita = fluxoAutorizacao(senha);
        break;
    case CardPageKind::Extorno:
        fluxoExtorno();
        break;
    case CardPageKind::Saldo:
        consultaSaldo(senha);
        break;
    }
    m_emRequisicao = false;
    if (!reabilita)
        return;
    habilita(true);
    if (pagina != CardPageKind::Extorno)
        m_f.edtNrCartao->setFocus();
    if (cartao::numeroPositivo(m_ultAutoriz) && m_btnImprimir->isEnabled())
        m_btnImprimir->setFocus();
    else
        m_btnImprimir->setEnabled(false);
}

bool CardPage::confereBase()
{
    DbfTable &p = m_f.dm->CDSParamet;
    p.close();
    const bool ok = p.open();
    p.close();
    if (!ok)
        erro(kErroBase);
    return ok;
}

bool CardPage::fluxoAutorizacao(const QString &senha)
{
    if (!confereBase())
        return false;
    const int seg = m_f.state ? m_f.state->segmentCode : 9;
    if (seg != 12) {
        const QString pergunta =
            cartao::perguntaConfirmacao(m_edtValor->text(), cartao::parcelasDe(m_edtQtdParc->text()));
        if (!Platform::dialogs().yesNo(kCaption, pergunta))
            return true;
    }
    dataServidorDiaria();
    status(cartao::statusAguarde(m_f.tempoLimite ? m_f.tempoLimite() : 60));
    QApplication::processEvents();
    if (seg == 12) {
        if (m_debitoMensal)
            m_debitoMensal(senha);
        else
            Platform::dialogs().message(
                kCaption,
                QStringLiteral("O débito mensal do Cartão Fidelidade ainda não está disponível nesta "
                               "versão do programa. Nenhuma venda foi enviada."),
                MsgIcon::Warning, MsgButton::Ok);
        return true;
    }
    efetuaVenda(senha, QStringLiteral("0"));
    return true;
}

void CardPage::dataServidorDiaria()
{
    MainState *st = m_f.state;
    if (!st)
        return;
    const QDate hoje = Platform::clock().today();
    if (st->serverDateFetched && hoje == st->startDate)
        return;
    QApplication::processEvents();
    QString versao;
    const QDate servidor = wc().getDatWEB(versao);
    if (!servidor.isValid() && m_f.msgSemConexao)
        m_f.msgSemConexao(true);
    st->serverDateFetched = true;
    if (servidor.isValid() && servidor != hoje) {
        st->startDate = servidor;
        if (servidor.year() >= 2007) {
            const QTime agora = Platform::clock().now().time();
            Platform::clock().setSystemClock(QDateTime(servidor, QTime(agora.hour(), agora.minute(), agora.second())));
        }
    }
    if (!versao.trimmed().isEmpty() && versaoMaisNova(versao, wc().versLocal))
        baixaAtualizacao(wc(), false, versao);
}

// ---- sending a sale

bool CardPage::efetuaVenda(const QString &senha, const QString &tipo)
{
    TDM &dm = *m_f.dm;
    const int parcelas = cartao::parcelasDe(m_edtQtdParc->text());
    const Money valor = Money::parse(funcao::FmtNr(m_edtValor->text().trimmed())).value_or(Money());
    const QDateTime agora = Platform::clock().now();
    diario::NovaVenda nova{m_f.edtNrCartao->text(), agora.date().toString(QStringLiteral("dd/MM/yyyy")),
                           agora.time().toString(QStringLiteral("HH:mm:ss")), valor.format(2, true), tipo,
                           parcelas};
    bool autorizada = false;
    const qint64 solic = diario::gravaPendente(dm, nova);
    if (solic > 0 && diario::marcaEmVoo(dm, nova.cartao, nova.data, nova.valor)) {
        QString resposta;
        const bool enviada =
            getVenda(wc(), wc().getIDWebMD5(), senha, resposta, tipo, parcelas, valor, nova.cartao);
        const std::optional<protocol::TRegist> reg = umRegistro(resposta);
        diario::limpaMarca(dm);

        m_ultAutoriz.clear();
        QString msg = reg ? protocol::vlrRegByName(*reg, QStringLiteral("MENSA_RETOR")) : QString();
        bool gravou = true;
        if (msg.contains(QLatin1String("ID001"))) {
            gravou = diario::situacao(dm, solic, QStringLiteral("R"));
            for (const QString &l :
                 cartao::linhasDuplicada(msg, protocol::vlrRegByName(*reg, QStringLiteral("AUTOR_VENDA"))))
                memo(l);
            msg.clear();
        }
        if (!msg.trimmed().isEmpty() && enviada && reg) {
            if (msg.contains(QLatin1String("ID00")))
                msg = msg.mid(5);
            m_ultAutoriz = protocol::vlrRegByName(*reg, QStringLiteral("AUTOR_VENDA"));
            memo(QStringLiteral("Mensagem de Retorno: ") + msg);
            memo(QString());
            if (cartao::numeroPositivo(m_ultAutoriz)) {
                gravou = diario::gravaRetornoVenda(dm, solic, *reg) && diario::situacao(dm, solic, QStringLiteral("A"));
                const std::optional<TParamVend> linha = diario::venda(dm, solic);
                const auto func = diario::funcionario(dm, protocol::vlrRegByName(*reg, QStringLiteral("CNPJ_INSTI")),
                                                      protocol::vlrRegByName(*reg, QStringLiteral("MATRI_FUNCI")));
                gravou = gravou && linha && func;
                if (gravou) {
                    const std::optional<ReceiptSale> r = diario::vendaParaRecibo(dm, m_ultAutoriz);
                    for (const QString &l : cartao::linhasAutorizada(
                             {m_ultAutoriz, func->first, func->second, linha->cartao,
                              r ? r->dataTexto() : linha->data, r ? r->hora : QString(), linha->valor}))
                        memo(l);
                    if (!senha.isEmpty())
                        diario::adicionaCartaoConhecido(dm, nova.cartao);
                    m_f.edtNrCartao->clear();
                    m_edtValor->clear();
                    if (m_f.state && m_f.state->integrationMode)
                        imprimeAutorizacao(m_ultAutoriz, r, false, m_f.state->integrationPath);
                }
                autorizada = true;
            } else {
                gravou = diario::situacao(dm, solic, QStringLiteral("R"));
                Platform::dialogs().message(kCaption, msg + QLatin1Char('!'), MsgIcon::Warning, MsgButton::Ok);
            }
        }
        if (!gravou) {
            status(kErroGravar);
            erro(kErroGravar);
            memo(QStringLiteral("MUITA ATENÇÃO!!!"));
            memo(QStringLiteral("A venda foi concretizada na WEB, porém houve um erro ao tentar gravar "
                                "localmente. Muito cuidado para não duplicar a venda do cliente."));
        }
    }
    MainState *st = m_f.state;
    if (st) {
        if (!autorizada && st->integrationMode && m_f.gravaIntegracao)
            m_f.gravaIntegracao(QStringLiteral("2 NAO AUTORIZADA"));
        st->integrationResult = autorizada ? QLatin1Char('1') : QLatin1Char('2');
        if (st->integrationMode && m_f.window)
            QTimer::singleShot(0, m_f.window, &QWidget::close);
    }
    return autorizada;
}

// ---- reversal

bool CardPage::extornaVenda(const TParamVend &venda, bool marcaSempre, QString &retorno,
                            const QString &usuario, bool mostraDialogos)
{
    retorno.clear();
    // The start-up check runs before the window hands the service client its values.
    if (wc().cnpjEstac.isEmpty() && m_f.state)
        wc().cnpjEstac = m_f.state->stationCnpj;
    const QString user = usuario.isEmpty() ? kSistema : usuario;
    if (venda.cartao.trimmed().isEmpty() && venda.autorizacao.trimmed().isEmpty()) {
        status(kNaoEncontrada);
        if (mostraDialogos)
            erro(kNaoEncontrada);
        memo(kInexistente);
        return false;
    }
    QString resposta;
    const bool enviada = getExtorno(wc(), wc().getIDWebMD5(), user, resposta, venda.autorizacao, venda);
    const std::optional<protocol::TRegist> reg = umRegistro(resposta);
    const QString msg = reg ? protocol::vlrRegByName(*reg, QStringLiteral("MENSA_RETOR")) : QString();
    // "Mark always" holds only for a request that reached the server: a sale is never
    // marked reversed here while the server may still count it.
    const bool sucesso = msg.contains(QLatin1String("SUCESSO"), Qt::CaseInsensitive);
    bool marcada = false;
    if (!venda.cartao.trimmed().isEmpty() && (sucesso || (marcaSempre && enviada && reg))) {
        QString erroLocal;
        bool achou = false;
        marcada = diario::marcaCancelada(*m_f.dm, venda, &achou, &erroLocal);
        if (achou && !marcada) {
            status(kErroGravar);
            if (mostraDialogos)
                erro(kErroGravar);
            memo(QStringLiteral("MUITA ATENÇÃO!!!"));
            memo(QStringLiteral("A venda foi cancelada na WEB, porém houve um erro ao tentar gravar "
                                "localmente. Muito cuidado para não duplicar a venda do cliente."));
        }
    }
    if (!msg.trimmed().isEmpty())
        retorno = msg;
    return marcada;
}

void CardPage::fluxoExtorno()
{
    QString usuario;
    if (!wc().valUserWeb(usuario)) {
        m_edtAutoriz->setFocus();
        return;
    }
    if (!confereBase())
        return;
    const QString numero = m_edtAutoriz->text().trimmed();
    TParamVend venda{numero, {}, {}, {}, {}};
    if (!numero.isEmpty())
        if (const std::optional<TParamVend> v = diario::porAutorizacao(*m_f.dm, numero))
            venda = {numero, v->cartao, v->data, v->valor, v->situacao};
    if (venda.cartao.trimmed().isEmpty() && numero.isEmpty()) {
        status(kNaoEncontrada);
        erro(kNaoEncontrada);
        memo(kInexistente);
        return;
    }
    QString resposta;
    extornaVenda(venda, false, resposta, usuario, true);
    if (!resposta.trimmed().isEmpty()) {
        memo(QStringLiteral("Mensagem de Retorno: ") + resposta);
        m_edtAutoriz->clear();
    }
}

void CardPage::verifSolicPend()
{
    if (!m_f.dm)
        return;
    const QString antes = m_f.lblStatus ? m_f.lblStatus->text() : QString();
    status(QStringLiteral("AGUARDE!!! Verificando as Solicitações Pendentes..."));
    QApplication::processEvents();
    const QList<diario::VendaPendente> lista = diario::pendentes(*m_f.dm);
    if (!lista.isEmpty() && !lista.first().venda.cartao.trimmed().isEmpty()
        && Platform::dialogs().yesNo(kCaption, QStringLiteral("Foram localizadas autorizações abortadas antes do "
                                                              "fechamento.\rGostaria de fazer uma correção agora?"))) {
        mostraAguarde(QStringLiteral("AGUARDE!!! Corrigindo as autorizações..."),
                      m_f.state ? QColor(0, 91, 0) : wc().corAguarde);
        for (const diario::VendaPendente &p : lista) {
            // Still pending (the walk is over the rows pending at the start) and not
            // being sent right now by some station.
            const std::optional<TParamVend> atual = diario::venda(*m_f.dm, p.solicitacao);
            if (!atual || atual->situacao != u"P" || diario::emVoo(*m_f.dm, *atual))
                continue;
            // Reversing by card, date and amount would cancel the authorized sale that
            // proves this one never reached the server: settle it here instead.
            if (diario::temAutorizadaIgual(*m_f.dm, *atual)) {
                if (diario::situacao(*m_f.dm, p.solicitacao, QStringLiteral("C")))
                    memo(QStringLiteral("Solicitação pendente do cartão %1 de %2 no valor de %3 não foi "
                                        "autorizada (há venda autorizada igual): cancelada só localmente.")
                             .arg(atual->cartao.trimmed(), atual->data.trimmed(), atual->valor.trimmed()));
                continue;
            }
            QString resposta;
            extornaVenda(*atual, true, resposta, kSistema, false);
        }
        fechaAguarde();
    }
    status(antes);
}

// ---- balance and card data

void CardPage::consultaSaldo(const QString &senha)
{
    const QString cartaoTexto = m_f.edtNrCartao->text();
    QString resposta;
    getSaldo(wc(), wc().getIDWebMD5(), senha, resposta, false, cartaoTexto);
    const std::optional<protocol::TRegist> reg = umRegistro(resposta);
    if (!reg) {
        if (m_f.msgSemConexao)
            m_f.msgSemConexao(true);
        m_f.edtNrCartao->clear();
        return;
    }
    for (const QString &l : cartao::linhasSaldo(*reg, cartaoTexto, web::kSite))
        memo(l);
    if (cartao::saldoAtivo(*reg)) {
        m_ultCartao = cartaoTexto;
        m_lblUtilAut->show();
        m_lblConsDadCart->hide();
        if (!senha.isEmpty())
            diario::adicionaCartaoConhecido(*m_f.dm, cartaoTexto);
    }
    StationSettings s;
    CodigosEstacao codigos;
    if (m_f.state) {
        codigos.segmento = m_f.state->segmentCode;
        codigos.municipio = m_f.state->municipalityCode;
    }
    const ParamFornecedor p{protocol::vlrRegByName(*reg, QStringLiteral("SEGME_FORNE")),
                            protocol::vlrRegByName(*reg, QStringLiteral("PARCE_FORNE")),
                            protocol::vlrRegByName(*reg, QStringLiteral("MUNIC_FORNE"))};
    if (!aplicaParamFornecedor(s, p, codigos))
        erro(QStringLiteral("Erro ao tentar ajustar informações locais!!!"));
    if (m_f.state) {
        m_f.state->segmentCode = quint8(codigos.segmento);
        m_f.state->municipalityCode = quint8(codigos.municipio);
        m_f.state->installmentsEnabled = s.parcelar();
    }
    m_f.edtNrCartao->clear();
}

void CardPage::lblUtilAutClick()
{
    if (m_f.activatePage)
        m_f.activatePage(CardPageKind::Autorizar);
    m_f.edtNrCartao->setText(m_ultCartao);
    m_f.edtNrCartao->setFocus();
    Platform::keys().injectKey(Qt::Key_Return, QStringLiteral("\r"), false);
}

void CardPage::LblConsDadCartClick()
{
    if (QWidget *f = QApplication::focusWidget(); f == m_f.edtNrCartao)
        m_f.btnValidar->setFocus();
    EdtNrCartaoExit();
    const QString cartaoTexto = m_f.edtNrCartao->text();
    const std::optional<protocol::TRegist> row =
        wc().getRegUnicoXML(wc().getIDWeb(), cartao::sqlConsultaCartao(cartaoTexto));
    if (!row)
        return;
    m_ultCartao = cartaoTexto;
    m_f.memRetorno->clear();
    for (const QString &l : cartao::linhasConsulta(*row))
        memo(l);
    m_f.memRetorno->moveCursor(QTextCursor::Start);
    m_f.memRetorno->verticalScrollBar()->setValue(0);
}

// ---- receipt and close

void CardPage::BtnImprimirClick()
{
    if (!m_btnImprimir->isEnabled())
        return;
    const QString numero = m_ultAutoriz;
    const std::optional<ReceiptSale> venda = diario::vendaParaRecibo(*m_f.dm, numero);
    const QString arquivo = m_f.state && m_f.state->integrationMode ? m_f.state->integrationPath : QString();
    imprimeAutorizacao(numero, venda, false, arquivo);
    m_btnImprimir->setEnabled(false);
    m_f.edtNrCartao->setFocus();
}

void CardPage::BtnFecharClick()
{
    if (m_f.window)
        m_f.window->close();
}

} // namespace zx
