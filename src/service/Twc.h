#pragma once
// The service client: its state (station CNPJ, report drive, program version, the
// station's name, the cached web user, the wait colour), the shape every service
// operation follows (operacao), and the operations that belong to the client itself:
// SQL over the service, the server clock and version, the connectivity probe and the
// web user.
//
// Business operations of the pages are written on top of operacao, for example:
//
//     QString reply = wc.operacao(FormaOperacao{.falha = MsgConexao::Internet}, QString(),
//                                 [&] {
//         kv1Soap kv1;
//         return Twc::unzip(kv1.getAutoriz(Twc::zip(wc.getIDWebMD5()), Twc::zip(request)));
//     });
#include "service/ProgramFormats.h"
#include "service/ServiceError.h"
#include "service/TFrmAguaLogin.h"
#include "service/protocol/TRegist.h"

#include <QColor>
#include <QDate>
#include <QObject>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>
#include <type_traits>

namespace zx {

// The three connection messages (error boxes, OK only).
inline const QString kMsgConexaoInternet
    = QStringLiteral("Erro ao tentar acessar. Verifique a conexão com a Internet!!!");
inline const QString kMsgConexaoPagina
    = QStringLiteral("Erro ao tentar acessar. Tente acessar uma página da internet!!!");
inline const QString kMsgConexaoRelatorio
    = QStringLiteral("Erro ao tentar gerar o relatório. Verifique a conexão!!!");

enum class MsgConexao {
    Nenhuma, // the failure is silent (the caller reports it)
    Internet, // SQL, merchant and invoicing operations
    PaginaInternet, // user validation, operations with the web user, clock, probe
    Relatorio, // report operations
};
QString textoMsgConexao(MsgConexao m);
// Shows the message in an error box (nothing for Nenhuma).
void mostraMsgConexao(MsgConexao m);

// The web user's credentials in clear, as a request needs them.
struct UsuarioWeb {
    QString login;
    QString senha;
};

// How one operation runs (the differences each operation states).
struct FormaOperacao {
    // Wait-window text shown in corAguarde around the call; empty when the screen
    // already shows its own window (or none is wanted).
    QString aguarde;
    // The message shown when the call fails.
    MsgConexao falha = MsgConexao::Nenhuma;
    // Ask for the web user first (setLoginStrEnv); a cancelled prompt ends the
    // operation before any window or network activity.
    bool usuarioWeb = false;
    // With usuarioWeb: reuse the cached credentials when there are some.
    bool reusarUsuario = true;
};

class Twc : public QObject {
    Q_OBJECT
public:
    // Raised after a reply carried the server's version: the handler may change the
    // reply in place.
    using TAfterCprVers
        = std::function<void(Twc &Sender, QString &Retorno, bool &VersDifer, QString &versWEB)>;

    explicit Twc(QObject *parent = nullptr);
    ~Twc() override;

    // The program's service client (created on first use, lives until the end).
    static Twc &instance();

    // ---- state, filled by the main window at start-up
    QColor corAguarde = QColor(0, 0, 255);
    QString versLocal;
    QString cnpjEstac;
    QString unidRel;
    QString nomeEstab;
    TAfterCprVers AposCprVers;

    // ---- cached web user: kept scrambled in memory, never stored
    QString loginWeb() const { return m_loginWeb; } // scrambled; empty: nobody cached
    QString senhaWeb() const { return m_senhaWeb; } // scrambled
    bool temUsuarioWeb() const { return !m_loginWeb.isEmpty(); }
    UsuarioWeb usuarioWeb() const; // in clear
    void guardaUsuarioWeb(const UsuarioWeb &u);
    // Forgets the cached user; the next operation that needs one asks again.
    void limpaLoginWeb();

    // ---- client identity (from the local date)
    QString getIDWeb() const;
    QString getIDWebMD5() const;

    // ---- packing; unzip raises ServiceError (Reply) on a truncated, corrupt or
    // over-long stream, so it can sit inside an operation body.
    static QByteArray zip(const QString &text);
    static QString unzip(const QByteArray &packed);

    // ---- the operation shape
    // Runs body (optionally taking the UsuarioWeb) inside the shape: web user first
    // when asked, wait window, program formats restored after the call on every
    // path, wait window closed; any exception is caught here: the wait window is
    // closed, the formats restored, the failure message shown, and `falhou` given.
    // A cancelled web-user prompt gives `falhou` with no window and no call.
    template <typename R, typename Body>
    R operacao(const FormaOperacao &forma, R falhou, Body &&body);
    // The failure of the last operation run through operacao, if it failed.
    const std::optional<ServiceError> &ultimaFalha() const { return m_ultimaFalha; }
    // True when the last operation stopped because the web-user prompt was cancelled.
    bool ultimaCancelada() const { return m_ultimaCancelada; }

    // ---- reply conventions shared by the operations
    static bool contemErro(const QString &reply); // "ERRO ENCONTRADO:"
    static bool contemSucesso(const QString &reply); // "SUCESSO", exactly these capitals
    // A reply with "ERRO ENCONTRADO:": shows it (or its MENSA_RETOR when asked) in an
    // error box captioned "ZENTrix", forgets the web user when it mentions "USUARIO"
    // (any case), and gives true. Any other reply: false, nothing shown.
    bool trataErroServidor(const QString &reply, bool mensaRetor = false);
    // Forgets the web user when the failed reply mentions "USUARIO" (any case).
    void verificaUsuarioRejeitado(const QString &reply);

    // ---- SQL over the service
    QString getDSXML(const QString &id, const QString &sql, bool mostraMsg);
    bool execSQL(const QString &id, const QString &sql, bool mostraMsg);
    bool execTrans(const QString &id, const QString &dadXML);
    std::optional<protocol::TRegist> getRegUnicoXML(const QString &id, const QString &sql);
    QString getVlrUnicoXML(const QString &id, const QString &sql);
    static QString getParam(const QString &texto, const QString &chave);
    // getDSXML's error text starts with this.
    static inline const QString kErroClasse = QStringLiteral("ERRO classe ");

    // ---- server clock, connectivity probe, version check
    QString getConWS(bool mostra);
    QDate getDatWEB(QString &versao);
    QTime getHoraWEB(QString &versao);
    bool compVersAtt(QString &retorno, QString &versWEB) const;
    virtual void dispAposCprVers(QString &retorno, QString &versWEB);

    // ---- web user
    bool valUserWeb(QString &login);
    bool setLoginStrEnv(QString &parametros, bool reusar);
    // Asks for the web user (reusing the cached one when allowed): false when the
    // prompt was cancelled.
    bool obtemUsuarioWeb(bool reusar, UsuarioWeb &usuario);
    QString getEnvUser(const QString &prompt, bool novaSenha, bool dica);

private:
    ServiceError falhaAtual() const; // the exception being handled, as a ServiceError
    QString scramble(const QString &text) const;
    QString unscramble(const QString &text) const;
    bool rodaDialogoUsuario(UsuarioWeb &usuario);
    // The server clock's row (date, time and version); versao is set when it came.
    std::optional<protocol::TRegist> relogioWEB(QString &versao);

    QString m_loginWeb;
    QString m_senhaWeb;
    QByteArray m_chave; // per-run scrambling key
    std::optional<ServiceError> m_ultimaFalha;
    bool m_ultimaCancelada = false;
};

template <typename R, typename Body>
R Twc::operacao(const FormaOperacao &forma, R falhou, Body &&body)
{
    m_ultimaFalha.reset();
    m_ultimaCancelada = false;
    ProgramFormatsGuard formatos;
    UsuarioWeb usuario;
    if (forma.usuarioWeb && !obtemUsuarioWeb(forma.reusarUsuario, usuario)) {
        m_ultimaCancelada = true;
        return falhou;
    }
    const bool janela = !forma.aguarde.isEmpty();
    try {
        if (janela)
            mostraAguarde(forma.aguarde, corAguarde);
        R r = [&]() -> R {
            if constexpr (std::is_invocable_v<Body &, const UsuarioWeb &>)
                return body(usuario);
            else
                return body();
        }();
        setVarGlobApp();
        if (janela)
            fechaAguarde();
        return r;
    } catch (...) {
        m_ultimaFalha = falhaAtual();
    }
    fechaAguarde();
    setVarGlobApp();
    mostraMsgConexao(forma.falha);
    return falhou;
}

} // namespace zx
