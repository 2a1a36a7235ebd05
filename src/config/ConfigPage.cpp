#include "config/ConfigPage.h"

#include "common/Messages.h"
#include "common/TFuncao.h"
#include "config/ConfigPageHooks.h"
#include "config/StationHttpClient.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"
#include "shell/MainState.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zx {

namespace {
const QString kRaizOperadora = QStringLiteral("52846193");
const QString kMascaraCnpj = QStringLiteral("99.999.999/9999-99;_");
const QString kMascaraFone = QStringLiteral("(99)9999-9999;_");
// Numbers stored with the ninth digit of mobile lines keep it on screen and on saving.
const QString kMascaraFone11 = QStringLiteral("(99)99999-9999;_");

const QString cRazao = QStringLiteral("DESCR_FORN");
const QString cFantasia = QStringLiteral("FANTA_FORN");
const QString cCnpj = QStringLiteral("CNPJ_FORNE");
const QString cEndereco = QStringLiteral("ENDER_FORN");
const QString cFone = QStringLiteral("FONE_FORNE");

// Typed or pasted text becomes upper case, as the company fields keep it.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QString semBrancosFinais(QString s)
{
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

void erro(const QString &text)
{
    Platform::dialogs().message(kCaption, text, MsgIcon::Error, MsgButton::Ok);
}
} // namespace

ConfigPage::ConfigPage(TDM &dm, MainState &state, QWidget *parent)
    : QWidget(parent)
    , m_dm(dm)
    , m_state(state)
{
    setObjectName(QStringLiteral("tabConfig"));
    build();
    setHooks(nullptr);
    m_alterar->setEnabled(false);
}

QLineEdit *ConfigPage::edit(const QString &name)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    connect(e, &QLineEdit::textChanged, this, &ConfigPage::edtRazaoChange);
    return e;
}

QCheckBox *ConfigPage::check(const QString &name, const QString &text)
{
    auto *c = new QCheckBox(text, this);
    c->setObjectName(name);
    connect(c, &QCheckBox::toggled, this, &ConfigPage::edtRazaoChange);
    return c;
}

void ConfigPage::build()
{
    auto *upper = new UpperCaseValidator(this);
    m_razao = edit(QStringLiteral("edtRazao"));
    m_razao->setValidator(upper);
    m_razao->setMaxLength(80);
    m_fantasia = edit(QStringLiteral("EdtFantasia"));
    m_fantasia->setValidator(upper);
    m_fantasia->setMaxLength(80);
    m_cnpj = edit(QStringLiteral("edtCNPJ"));
    m_cnpj->setInputMask(kMascaraCnpj);
    m_endereco = edit(QStringLiteral("edtEnderec"));
    m_endereco->setValidator(upper);
    m_endereco->setMaxLength(200);
    m_telefone = edit(QStringLiteral("edtTelefone"));
    m_telefone->setInputMask(kMascaraFone);
    m_nrCopias = edit(QStringLiteral("EdtNrCopias"));
    m_linAvan = edit(QStringLiteral("EdtLinAvan"));
    m_visAut = check(QStringLiteral("ChBxVisAut"),
        QStringLiteral("Visualizar a Autorização antes da impressão"));
    m_porta = edit(QStringLiteral("EdtPorta"));
    m_templim = edit(QStringLiteral("edtTemplim"));
    m_templim->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_habParc = check(QStringLiteral("ChBxHabParc"),
        QStringLiteral("Habilitar o campo nº de Parcelas nesse Computador"));
    m_relExcel
        = check(QStringLiteral("ChBxRelExcel"), QStringLiteral("Abrir relatórios no MS-Excel"));
    m_numLock = check(QStringLiteral("ChbxForcNumLock"),
        QStringLiteral("Manter a tecla  Num Lock sempre pressionada"));

    m_tpImpress = new QGroupBox(QStringLiteral("Tipo de Impressão:"), this);
    m_tpImpress->setObjectName(QStringLiteral("RGTpImpress"));
    m_tpImpressButtons = new QButtonGroup(m_tpImpress);
    auto *tpLayout = new QHBoxLayout(m_tpImpress);
    const QStringList tipos
        = { QStringLiteral("Matricial"), QStringLiteral("Gráfica 1"), QStringLiteral("Gráfica 2") };
    for (int i = 0; i < tipos.size(); ++i) {
        auto *b = new QRadioButton(tipos.at(i), m_tpImpress);
        b->setObjectName(QStringLiteral("RGTpImpress%1").arg(i));
        m_tpImpressButtons->addButton(b, i);
        tpLayout->addWidget(b);
    }
    connect(m_tpImpressButtons, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            edtRazaoChange();
    });

    // Set by editing the station file only: loaded and saved back, never shown.
    m_conexao = new QGroupBox(QStringLiteral("Configuração de Conexão:"), this);
    m_conexao->setObjectName(QStringLiteral("GbConexao"));
    m_conProxy = check(QStringLiteral("ChBxConProxy"), QStringLiteral("Utilizar Proxy"));
    m_serProxy = edit(QStringLiteral("EdtSerProxy"));
    m_portProxy = edit(QStringLiteral("EdtPortProxy"));
    m_usuarProxy = edit(QStringLiteral("EdtUsuarProxy"));
    m_senProxy = edit(QStringLiteral("EdtSenProxy"));
    m_senProxy->setEchoMode(QLineEdit::Password);
    m_autBasic
        = check(QStringLiteral("ChBxAutBasic"), QStringLiteral("Utilizar Autenticação Básica"));
    auto *cx = new QGridLayout(m_conexao);
    cx->addWidget(m_conProxy, 0, 0, 1, 2);
    cx->addWidget(new QLabel(QStringLiteral("Servidor:"), m_conexao), 1, 0);
    cx->addWidget(m_serProxy, 1, 1);
    cx->addWidget(new QLabel(QStringLiteral("Porta:"), m_conexao), 2, 0);
    cx->addWidget(m_portProxy, 2, 1);
    cx->addWidget(new QLabel(QStringLiteral("Usuário:"), m_conexao), 3, 0);
    cx->addWidget(m_usuarProxy, 3, 1);
    cx->addWidget(new QLabel(QStringLiteral("Senha:"), m_conexao), 4, 0);
    cx->addWidget(m_senProxy, 4, 1);
    cx->addWidget(m_autBasic, 5, 0, 1, 2);
    m_conexao->setVisible(false);

    auto button = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    m_alterar = button(QStringLiteral("btnAlterar"), QStringLiteral("Alterar"));
    m_buscDad = button(QStringLiteral("BtnBuscDad"), QStringLiteral("Atualizar cadastro"));
    m_bxAtual = button(QStringLiteral("BtnBxAtual"), QStringLiteral("Baixar Atualização"));
    m_altTpSist = button(QStringLiteral("btnAltTpSist"), QStringLiteral("Alterar Tipo do Sistema"));
    connect(m_alterar, &QPushButton::clicked, this, &ConfigPage::btnAlterarClick);
    connect(m_buscDad, &QPushButton::clicked, this, &ConfigPage::BtnBuscDadClick);
    connect(m_bxAtual, &QPushButton::clicked, this, &ConfigPage::BtnBxAtualClick);
    connect(m_altTpSist, &QPushButton::clicked, this, &ConfigPage::btnAltTpSistClick);

    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *grid = new QGridLayout;
    int r = 0;
    grid->addWidget(label(QStringLiteral("Razão Social:"), m_razao), r, 0);
    grid->addWidget(m_razao, r++, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Nome de Fantasia:"), m_fantasia), r, 0);
    grid->addWidget(m_fantasia, r++, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("CNPJ:"), m_cnpj), r, 0);
    grid->addWidget(m_cnpj, r, 1);
    grid->addWidget(label(QStringLiteral("Telefone:"), m_telefone), r, 2);
    grid->addWidget(m_telefone, r++, 3);
    grid->addWidget(label(QStringLiteral("Endereço:"), m_endereco), r, 0);
    grid->addWidget(m_endereco, r++, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Número de Cópias:"), m_nrCopias), r, 0);
    grid->addWidget(m_nrCopias, r, 1);
    grid->addWidget(label(QStringLiteral("Quantidade de linhas de avanço:"), m_linAvan), r, 2);
    grid->addWidget(m_linAvan, r++, 3);
    grid->addWidget(label(QStringLiteral("Local:"), m_porta), r, 0);
    grid->addWidget(m_porta, r++, 1);
    grid->addWidget(m_tpImpress, r++, 0, 1, 4);
    grid->addWidget(m_visAut, r++, 0, 1, 4);
    auto *tempo = new QHBoxLayout;
    tempo->addWidget(label(QStringLiteral("Tempo limite para resposta:"), m_templim));
    tempo->addWidget(m_templim);
    tempo->addWidget(new QLabel(QStringLiteral("Segundos"), this));
    tempo->addStretch();
    grid->addLayout(tempo, r++, 0, 1, 4);
    grid->addWidget(m_habParc, r++, 0, 1, 4);
    grid->addWidget(m_relExcel, r++, 0, 1, 4);
    grid->addWidget(m_numLock, r++, 0, 1, 4);
    grid->addWidget(m_conexao, r++, 0, 1, 4);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_alterar);
    buttons->addWidget(m_buscDad);
    buttons->addWidget(m_bxAtual);
    buttons->addWidget(m_altTpSist);
    buttons->addStretch();

    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
    main->addStretch();
}

void ConfigPage::setHooks(ConfigPageHooks *hooks)
{
    m_hooks = hooks;
    for (QPushButton *b : { m_buscDad, m_bxAtual, m_altTpSist })
        b->setEnabled(hooks != nullptr);
}

void ConfigPage::setUpper(QLineEdit *e, const QString &text)
{
    e->setText(text.toUpper());
}

void ConfigPage::setTelefone(const QString &digits)
{
    m_telefone->setInputMask(digits.size() > 10 ? kMascaraFone11 : kMascaraFone);
    m_telefone->setText(digits);
}

int ConfigPage::tipoImpressao() const
{
    return qMax(0, m_tpImpressButtons->checkedId());
}

void ConfigPage::setTipoImpressao(int index)
{
    if (QAbstractButton *b = m_tpImpressButtons->button(index))
        b->setChecked(true);
}

QString ConfigPage::cnpjDigitos() const
{
    return TFuncao::SoNumero(m_cnpj->text());
}

QString ConfigPage::cnpjConsulta()
{
    if (m_state.stationCnpj.trimmed().isEmpty())
        m_state.stationCnpj = cnpjDigitos();
    return TFuncao::SoNumero(m_state.stationCnpj);
}

bool ConfigPage::alteracaoPendente() const
{
    return m_alterar->isEnabled();
}

void ConfigPage::edtRazaoChange()
{
    if (m_alterar) // masks set while the page is built already change the text
        m_alterar->setEnabled(true);
}

void ConfigPage::carregaConfig()
{
    StationSettings s;
    m_porta->setText(s.portaGravandoPadrao());
    setTipoImpressao(s.tipo());
    m_nrCopias->setText(QString::number(s.qtdCop()));
    m_visAut->setChecked(s.visual());
    m_linAvan->setText(QString::number(s.linAvanc()));
    m_templim->setText(QString::number(s.tempLimit()));
    m_habParc->setChecked(s.parcelar());
    m_relExcel->setChecked(s.relExcel());
    m_numLock->setChecked(s.numLock());
    m_conProxy->setChecked(s.proxyUtil());
    m_autBasic->setChecked(s.proxyAutBas());
    m_serProxy->setText(s.proxyServ());
    m_portProxy->setText(s.proxyPort());
    m_usuarProxy->setText(s.proxyUser());
    m_senProxy->setText(s.proxyPass());

    carregaEmpresa();
    if (m_dm.nomeEmpresa.isEmpty())
        m_dm.nomeEmpresa = m_fantasia->text();
    m_state.companyName = m_dm.nomeEmpresa;
    m_alterar->setEnabled(false);
    emit carregada();
}

void ConfigPage::carregaEmpresa()
{
    DbfTable &t = m_dm.CDSParamet;
    t.close();
    if (!t.open()) {
        erro(QStringLiteral("Erro ao abrir a tabela PARAMETRO: ") + t.lastError());
        return;
    }
    t.first();
    const bool row = !t.eof();
    setUpper(m_razao, row ? t.asString(cRazao) : QString());
    setUpper(m_fantasia, row ? t.asString(cFantasia) : QString());
    m_cnpj->setText(row ? TFuncao::SoNumero(t.asString(cCnpj)) : QString());
    setUpper(m_endereco, row ? t.asString(cEndereco) : QString());
    setTelefone(row ? TFuncao::SoNumero(t.asString(cFone)) : QString());
    t.close();
}

void ConfigPage::aplicaConexao()
{
    if (m_http)
        m_http->aplicaConexao(StationSettings());
}

void ConfigPage::reportaArquivo(const StationSettings &s, bool kvOk, bool cfgOk)
{
    if (!kvOk)
        erro(QStringLiteral("Não foi possível gravar o arquivo ") + s.stationFile().fileName()
            + QStringLiteral("!!!"));
    if (!cfgOk)
        erro(QStringLiteral("Não foi possível gravar o arquivo ") + s.installFile().fileName()
            + QStringLiteral("!!!"));
}

bool ConfigPage::gravaConfig(bool quiet)
{
    bool numero = false;
    int segundos = m_templim->text().trimmed().toInt(&numero, 10);
    if (!numero)
        segundos = 0;
    if (segundos < 30) {
        erro(QStringLiteral("O Tempo limite não pode ser inferior a 30 segundos!!!"));
        m_templim->setFocus();
        return false;
    }

    StationSettings s;
    bool kv = s.setPorta(m_porta->text());
    kv = s.setTipo(tipoImpressao()) && kv;
    kv = s.setQtdCop(m_nrCopias->text()) && kv;
    kv = s.setVisual(m_visAut->isChecked()) && kv;
    kv = s.setParcelar(m_habParc->isChecked()) && kv;
    kv = s.setRelExcel(m_relExcel->isChecked()) && kv;
    kv = s.setLinAvanc(m_linAvan->text()) && kv;
    kv = s.setTempLimit(m_templim->text()) && kv;
    kv = s.setProxyUtil(m_conProxy->isChecked()) && kv;
    kv = s.setProxyAutBas(m_autBasic->isChecked()) && kv;
    kv = s.setProxyServ(m_serProxy->text()) && kv;
    kv = s.setProxyPort(m_portProxy->text()) && kv;
    kv = s.setProxyUser(m_usuarProxy->text()) && kv;
    kv = s.setProxyPass(m_senProxy->text()) && kv;
    aplicaConexao();
    const bool cfg = s.setNumLock(m_numLock->isChecked());
    reportaArquivo(s, kv, cfg);

    m_state.installmentsEnabled = m_habParc->isChecked();
    if (m_http)
        m_http->setReadTimeout(segundos * 1000);

    if (!quiet) {
        const QString cnpj = cnpjDigitos();
        if (cnpj.isEmpty()) {
            erro(QStringLiteral("CNPJ Inválido!!!"));
            m_state.notifyChanged();
            return false;
        }
        if (!cnpj.startsWith(kRaizOperadora) && !TFuncao::CalculaCnpjCpf(cnpj, true)) {
            m_state.notifyChanged();
            return false;
        }
    }

    m_alterar->setEnabled(false);
    const bool empresa = gravaEmpresa();
    if (!empresa || !kv || !cfg)
        m_alterar->setEnabled(true); // something is still unsaved: let the user retry
    m_state.notifyChanged();
    if (empresa)
        emit empresaGravada();
    return empresa && kv && cfg;
}

bool ConfigPage::gravaEmpresa()
{
    const QString razao = m_razao->text();
    const QString fantasia = m_fantasia->text();
    const QString cnpj = cnpjDigitos();
    const QString endereco = m_endereco->text();
    const QString fone = TFuncao::SoNumero(m_telefone->text());

    DbfTable &t = m_dm.CDSParamet;
    t.close();
    bool ok = t.open();
    if (ok) {
        t.first();
        // An unchanged row is not written again (other stations may share the folder).
        const bool igual = !t.eof() && t.asString(cRazao) == semBrancosFinais(razao)
            && t.asString(cFantasia) == semBrancosFinais(fantasia) && t.asString(cCnpj) == cnpj
            && t.asString(cEndereco) == semBrancosFinais(endereco) && t.asString(cFone) == fone;
        if (!igual) {
            ok = t.eof() ? t.append() : t.edit();
            ok = ok && t.setAsString(cRazao, razao) && t.setAsString(cFantasia, fantasia)
                && t.setAsString(cCnpj, cnpj) && t.setAsString(cEndereco, endereco)
                && t.setAsString(cFone, fone) && t.post();
        }
    }
    if (!ok) {
        const QString motivo = t.lastError();
        t.cancel();
        t.close();
        erro(QStringLiteral("Erro ao gravar os dados da empresa: ") + motivo);
        return false;
    }
    t.close();
    m_dm.nomeEmpresa = fantasia;
    m_state.companyName = fantasia;
    m_state.stationCnpj = cnpj;
    return true;
}

void ConfigPage::aplicaDadosEmpresa(const QString &razao, const QString &fantasia,
    const QString &logradouro, const QString &telefone, const QString &numero,
    const QString &bairro)
{
    m_cnpj->setText(TFuncao::SoNumero(m_state.stationCnpj));
    setUpper(m_razao, razao);
    setUpper(m_fantasia, fantasia);
    setTelefone(TFuncao::SoNumero(telefone));
    const QString nr = numero.trimmed().isEmpty() ? QStringLiteral("S/N") : numero;
    setUpper(m_endereco, logradouro + QStringLiteral(", ") + nr + QStringLiteral(" - ") + bairro);
    gravaConfig(true);
}

void ConfigPage::btnAlterarClick()
{
    gravaConfig(false);
}

void ConfigPage::BtnBuscDadClick()
{
    if (!m_hooks)
        return;
    if (m_state.stationCnpj.trimmed().isEmpty() || alteracaoPendente())
        m_state.stationCnpj = cnpjDigitos();
    m_hooks->buscaDadosEmpresa(*this);
    m_hooks->buscaListaEmpresas(*this);
    m_hooks->atualizaParamWeb(*this);
    Platform::dialogs().message(
        kCaption, QStringLiteral("Reinicie o aplicativo!!!"), MsgIcon::Warning, MsgButton::Ok);
    m_hooks->encerraAplicacao(*this);
}

void ConfigPage::BtnBxAtualClick()
{
    if (m_hooks)
        m_hooks->baixaAtualizacao(*this);
}

void ConfigPage::btnAltTpSistClick()
{
    if (m_hooks)
        m_hooks->alteraTipoSistema(*this);
}

} // namespace zx
