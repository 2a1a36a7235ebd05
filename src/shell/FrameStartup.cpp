// The main window's start-up sequence (FormShow) and the steps it is made of.
#include "shell/TFrmPrincipal.h"

#include "shell/CompanyChoice.h"
#include "shell/IntegrationFile.h"
#include "shell/MessageOfTheDay.h"
#include "shell/PageControl.h"
#include "shell/TFrmInstiVincul.h"
#include "shell/TfrmTpSist.h"
#include "shell/Versao.h"
#include "shell/WebAddresses.h"

#include "common/Messages.h"
#include "common/core/Money.h"
#include "config/ConfigPage.h"
#include "config/StationHttpClient.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"
#include "service/ProgramFormats.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QOperatingSystemVersion>

namespace zx {

namespace {
const QString kNfTqb = QStringLiteral("NF_TQB");
} // namespace

void TFrmPrincipal::FormShow()
{
    // The report choice's reprint option (RGOpcao) starts disabled on the report page
    // itself, which enables it when a reprint is possible.
    m_state.firstArgument = m_args.size() > 1 ? m_args.at(1) : QString();
    m_state.integrationResult = QLatin1Char(' ');
    setVarGlobApp();
    m_state.modernTabs = QOperatingSystemVersion::currentType() != QOperatingSystemVersion::Windows
        || QOperatingSystemVersion::current().majorVersion() > 5;
    const QString folder = Platform::paths().programFolder();
    m_state.driveLetter = folder.isEmpty() ? QChar() : folder.at(0);
    m_pc[3]->setPageVisible(page(Page::CancCart), false);
    m_state.startDate = Platform::clock().today();
    m_state.serverDateFetched = false;

    // Local tables and the station's row of requests in flight.
    if (!m_dm.criaTabelas())
        MsgErro(m_dm.ultimoErro());
    else if (!m_dm.registraEstacao())
        MsgErro(m_dm.ultimoErro());

    if (!m_state.integrationMode)
        exibMensBibl(folder, m_statusColour);

    m_state.servicePageUrl = web::kServicePage;
    m_state.consultationPageUrl = web::kConsultationPage;
    if (m_state.servicePageUrl != web::kProductionServicePage)
        Platform::dialogs().message(
            kCaption, QStringLiteral("Versão de Teste"), MsgIcon::Information, MsgButton::Ok);

    leConfiguracao();
    aplicaTipoEstacao();
    for (int i = 2; i <= 5; ++i)
        m_pc[i]->activateFirstVisible();

    m_hooks.run(StartupStep::PendingSales);

    if (m_state.stationCnpj.trimmed().isEmpty())
        primeiraExecucao();

    const bool nfTqb = m_state.firstArgument == kNfTqb;
    if (!nfTqb && m_state.stationKind != 1) {
        if (!escolheEmpresa())
            return;
    } else {
        entregaValoresServico();
    }

    m_hooks.run(StartupStep::PasswordQueue);
    if (m_state.municipalityCode == 0)
        m_hooks.run(StartupStep::ServerRefresh);

    m_pc[1]->setPageVisible(page(Page::AutManual), false);
    carregaPaginaConfig();

    if (!nfTqb && m_state.institutionType.isEmpty() && isPageVisible(Page::Func)) {
        m_hooks.run(StartupStep::CompanyListFetch);
        if (!escolheEmpresa())
            return;
    }

    if (nfTqb) {
        // The support console's integration run ends the program when it closes.
        if (m_hooks.integrationConsole()) {
            m_hooks.integrationConsole()();
            close();
            return;
        }
    } else {
        modoIntegracao();
    }
    if (m_pc[1]->currentWidget() == page(Page::Cartao))
        tabCartaoShow();
    m_startupDone = true;
    m_state.notifyChanged();
    emit startupDone();
}

void TFrmPrincipal::leConfiguracao()
{
    StationSettings s;
    // configura.ini
    m_state.loyaltyCreditInstallments = s.parcCrediFiel();
    m_state.loyaltyInstitution = s.instiFiel();
    const QString mensal = s.valorMensa();
    const std::optional<Money> fixed = Money::parse(mensal.trimmed());
    if (fixed && *fixed > Money()) {
        m_state.presetSaleValue = mensal.trimmed();
        m_state.saleValueReadOnly = true;
    }
    m_state.employeeSearchKind = s.tipPesq();
    m_state.loyaltySearchKind = s.tipPesq2();
    m_state.employeeReportChoice = s.opcRelFc();
    m_state.segmentCode = quint8(s.idSegGravandoPadrao());
    m_state.municipalityCode = quint8(s.idMunic());
    m_state.integrationPath = s.pathIntegracaoGravandoPadrao();

    // kv.ini
    m_http->aplicaConexao(s);
    m_state.installmentsEnabled = s.parcelar();
    m_state.stationKind = s.codigoGravandoPadrao();

    // The company row.
    DbfTable &p = m_dm.CDSParamet;
    p.close();
    if (p.open()) {
        p.first();
        m_state.stationCnpj
            = p.eof() ? QString() : p.asString(QStringLiteral("CNPJ_FORNE")).trimmed();
        if (m_dm.nomeEmpresa.isEmpty() && !p.eof())
            m_dm.nomeEmpresa = p.asString(QStringLiteral("FANTA_FORN"));
        p.close();
    } else {
        MsgErro(p.lastError());
    }
    m_state.companyName = m_dm.nomeEmpresa;
}

void TFrmPrincipal::aplicaTipoEstacao()
{
    switch (m_state.stationKind) {
    case 1:
        m_pc[1]->setPageVisible(page(Page::Func), false);
        m_pc[1]->setActivePage(m_pc[1]->widget(0));
        break;
    case 2:
        m_pc[1]->setPageVisible(page(Page::Cartao), false);
        m_pc[1]->setPageVisible(page(Page::CartFidelid), false);
        m_pc[3]->setPageVisible(page(Page::Relatorio), false);
        m_pc[1]->setPageVisible(page(Page::AutManual), false);
        m_pc[1]->setActivePage(page(Page::Func));
        break;
    default:
        break;
    }
}

void TFrmPrincipal::primeiraExecucao()
{
    TfrmTpSist wizard(this);
    Platform::dialogs().runModal(wizard);
    StationSettings().setCodigo(wizard.itemIndex() + 1);
    activatePage(Page::Config);
    Platform::dialogs().message(kCaption,
        QStringLiteral("Informe as configurações iniciais do sistema!!!"), MsgIcon::Warning,
        MsgButton::Ok);
    if (auto *razao = m_config->findChild<QLineEdit *>(QStringLiteral("edtRazao")))
        razao->setFocus();
}

void TFrmPrincipal::btnAltTpSistClick()
{
    TfrmTpSist wizard(this);
    if (m_state.stationKind > 0)
        wizard.setItemIndex(m_state.stationKind - 1);
    if (Platform::dialogs().runModal(wizard) != QDialog::Accepted)
        return;
    StationSettings().setCodigo(wizard.itemIndex() + 1);
    Platform::dialogs().message(
        kCaption, QStringLiteral("Reinicie o aplicativo!!!"), MsgIcon::Warning, MsgButton::Ok);
    close();
}

bool TFrmPrincipal::escolheEmpresa()
{
    const QString file = Platform::paths().inProgram(QStringLiteral("confInsti.xml"));
    if (QFile::exists(file)) {
        QString why;
        if (empresas::importaConfInsti(m_dm, file, &why) < 0)
            MsgErro(
                QStringLiteral("Não foi possível ler a lista de empresas (confInsti.xml): ") + why);
    }
    QString why;
    const QList<EmpresaVinculada> lista = empresas::lista(m_dm, &why);
    if (!why.isEmpty())
        MsgErro(why);
    if (lista.size() > 1) {
        TFrmInstiVincul form(this);
        form.preenche(lista);
        EmpresaVinculada e;
        if (Platform::dialogs().runModal(form) != QDialog::Accepted || !form.escolhida(e)) {
            close();
            return false;
        }
        m_state.stationCnpj = e.cnpj;
        m_state.institutionType = e.tipo;
        m_state.companyName = e.nome;
        m_dm.nomeEmpresa = e.nome;
        m_service.nomeEstab = e.nome;
    }
    entregaValoresServico();
    m_state.notifyChanged();
    return true;
}

void TFrmPrincipal::entregaValoresServico()
{
    m_service.cnpjEstac = m_state.stationCnpj;
    m_service.unidRel = m_state.driveLetter.isNull() ? QString() : QString(m_state.driveLetter);
    m_service.versLocal = versaoSistema();
    m_service.corAguarde = m_statusColour;
    if (m_service.nomeEstab.isEmpty())
        m_service.nomeEstab = m_state.companyName;
    m_hooks.handOver(m_service);
}

void TFrmPrincipal::modoIntegracao()
{
    if (m_state.firstArgument.trimmed().isEmpty())
        return;
    m_state.integrationMode = true;
    const QString preset = integration::presetFromArgument(m_state.firstArgument);
    if (!preset.isEmpty()) {
        m_state.presetSaleValue = preset;
        m_state.saleValueReadOnly = true;
    }
}

} // namespace zx
