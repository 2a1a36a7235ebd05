// Shutdown (FormClose) and the reports the window offers the pages.
#include "shell/TFrmPrincipal.h"

#include "shell/IntegrationFile.h"

#include "common/Messages.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zx {

void TFrmPrincipal::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QMainWindow::closeEvent(event);
}

void TFrmPrincipal::FormClose()
{
    if (m_state.integrationMode && m_state.integrationResult == QLatin1Char(' '))
        gravaIntegracao(integration::kNaoAutorizada);
    gravaEscolhas();
    limpezaVenda();
    m_hooks.run(CloseStep::PasswordQueue);
}

void TFrmPrincipal::gravaEscolhas()
{
    StationSettings s;
    s.setTipPesq(m_state.employeeSearchKind);
    s.setTipPesq2(m_state.loyaltySearchKind);
    s.setOpcRelFc(m_state.employeeReportChoice);
}

void TFrmPrincipal::limpezaVenda()
{
    // A pending sale with a card is offered for reversal again; the journal is only
    // emptied when it is full and nothing in it is pending.
    DbfTable &venda = m_dm.CDSVenda;
    venda.close();
    venda.setFilter(QStringLiteral("SITUA_VEND"), QStringLiteral("P"));
    bool pendingWithCard = false;
    if (venda.open()) {
        venda.first();
        pendingWithCard
            = !venda.eof() && !venda.asString(QStringLiteral("CARTA_VEND")).trimmed().isEmpty();
    }
    venda.close();
    venda.clearFilter();
    if (pendingWithCard) {
        m_hooks.run(CloseStep::PendingSales);
        return;
    }
    if (m_dm.limpaVendaCheia() == TDM::LimpezaVenda::Erro)
        MsgErro(m_dm.ultimoErro());
}

void TFrmPrincipal::gravaIntegracao(const QString &firstLine)
{
    if (!m_state.integrationMode)
        return;
    if (m_state.integrationPath.trimmed().isEmpty()) {
        Platform::dialogs().message(kCaption,
            QStringLiteral("Caminho para integracao invalido. Configure o arquivo configura.ini"),
            MsgIcon::Error, MsgButton::Ok);
        return;
    }
    const QStringList memo = m_memRetorno->toPlainText().isEmpty()
        ? QStringList()
        : m_memRetorno->toPlainText().split(QLatin1Char('\n'));
    if (!integration::write(m_state.integrationPath, integration::fileLines(firstLine, memo)))
        Platform::dialogs().message(kCaption,
            QStringLiteral("Não foi possível gravar o arquivo de integração ")
                + m_state.integrationPath,
            MsgIcon::Error, MsgButton::Ok);
}

void TFrmPrincipal::msgSemConexao(bool showDialog)
{
    const QString text = QStringLiteral(
        "Sem comunicação com o servidor ZENTrix! Verifique a conexão com a Internet...");
    m_lblStatus->setText(text);
    if (showDialog)
        Platform::dialogs().message(kCaption, text, MsgIcon::Error, MsgButton::Ok);
    m_memRetorno->appendPlainText(
        QStringLiteral("Status: Erro ao tentar conectar ao Servidor ZENTrix!!!"));
    m_memRetorno->appendPlainText(
        QStringLiteral("Verifique se esse computador está conectado à Internet."));
    if (m_edtNrCartao->isVisibleTo(this))
        m_edtNrCartao->setFocus();
}

} // namespace zx
