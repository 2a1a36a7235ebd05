// The web user (validation at the counter, cached credentials for the operations that
// carry it) and the card holder's password prompt.
#include "service/Twc.h"

#include "common/Messages.h"
#include "common/core/TextHelpers.h"
#include "platform/Platform.h"
#include "service/SenhasFracas.h"
#include "service/TFrmEnvUser.h"
#include "service/TFrmValUserWeb.h"
#include "service/kv3Soap.h"
#include "service/protocol/RecordList.h"

namespace zx {

bool Twc::rodaDialogoUsuario(UsuarioWeb &usuario)
{
    TFrmValUserWeb dlg;
    if (Platform::dialogs().runModal(dlg) != QDialog::Accepted)
        return false;
    usuario.login = dlg.usuario();
    usuario.senha = dlg.senha();
    return true;
}

bool Twc::obtemUsuarioWeb(bool reusar, UsuarioWeb &usuario)
{
    if (reusar && temUsuarioWeb()) {
        usuario = usuarioWeb();
        return true;
    }
    if (!rodaDialogoUsuario(usuario))
        return false;
    guardaUsuarioWeb(usuario);
    return true;
}

bool Twc::setLoginStrEnv(QString &parametros, bool reusar)
{
    auto acrescenta = [&](const UsuarioWeb &u) {
        parametros
            += QStringLiteral("&LOGIN_USER=") + u.login + QStringLiteral("&SENHA_USER=") + u.senha;
    };
    if (reusar && temUsuarioWeb()) {
        acrescenta(usuarioWeb());
        return false; // no dialog was shown
    }
    UsuarioWeb u;
    if (!rodaDialogoUsuario(u)) {
        parametros.clear();
        return false;
    }
    acrescenta(u);
    guardaUsuarioWeb(u);
    return true;
}

bool Twc::valUserWeb(QString &login)
{
    ProgramFormatsGuard formatos;
    UsuarioWeb u;
    if (!rodaDialogoUsuario(u))
        return false;
    const QString pedido
        = protocol::recordListText({ QStringLiteral("LOGIN_USER"), QStringLiteral("SENHA_USER"),
                                       QStringLiteral("CNPJ_FORNE"), QStringLiteral("TIPO_AUTOR") },
            { u.login.trimmed(), u.senha, funcao::SoNumero(cnpjEstac).trimmed(),
                QStringLiteral("VD") });
    const QString resposta
        = operacao(FormaOperacao { .aguarde = QStringLiteral("Aguarde. Validando o usuário!!!"),
                       .falha = MsgConexao::PaginaInternet },
            QString(), [&] {
                kv3Soap kv3;
                return kv3.getUserOk(getIDWebMD5(), pedido);
            });
    if (m_ultimaFalha)
        return false;
    if (resposta.toUpper().contains(QLatin1String("SUCESSO"))) {
        login = u.login;
        return true;
    }
    Platform::dialogs().message(kCaption, resposta, MsgIcon::None, MsgButton::Ok);
    return false;
}

QString Twc::getEnvUser(const QString &prompt, bool novaSenha, bool dica)
{
    TFrmEnvUser dlg(novaSenha);
    dlg.prepara(prompt, corAguarde, dica);
    Platform::dialogs().runModal(dlg);
    QString senha = dlg.resultado();
    if (novaSenha && !senha.trimmed().isEmpty() && senha != QLatin1String("SS")
        && temSequenciaDeTres(senha)) {
        Platform::dialogs().message(kCaption,
            QStringLiteral("Não é permitido três ou mais caracteres em seqüência!!!"),
            MsgIcon::Error, MsgButton::Ok);
        senha = senhaSubstitutaSequencia();
    }
    return senha;
}

} // namespace zx
