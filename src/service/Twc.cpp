#include "service/Twc.h"

#include "common/Messages.h"
#include "platform/Platform.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"

#include <QRandomGenerator>
#include <memory>

namespace zx {

QString textoMsgConexao(MsgConexao m)
{
    switch (m) {
    case MsgConexao::Nenhuma:
        return {};
    case MsgConexao::Internet:
        return kMsgConexaoInternet;
    case MsgConexao::PaginaInternet:
        return kMsgConexaoPagina;
    case MsgConexao::Relatorio:
        return kMsgConexaoRelatorio;
    }
    return {};
}

void mostraMsgConexao(MsgConexao m)
{
    if (m != MsgConexao::Nenhuma)
        MsgErro(textoMsgConexao(m));
}

Twc::Twc(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("WC"));
    m_chave.resize(16);
    for (char &c : m_chave)
        c = char(QRandomGenerator::system()->bounded(1, 256));
}

Twc::~Twc() = default;

Twc &Twc::instance()
{
    static std::unique_ptr<Twc> wc(new Twc);
    return *wc;
}

// A per-run XOR of the UTF-16 units: the credentials never sit in memory in clear
// between calls, and nothing of them survives the run.
QString Twc::scramble(const QString &text) const
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = QChar(out.at(i).unicode() ^ (0x5A00 | uchar(m_chave.at(i % m_chave.size()))));
    return out;
}

QString Twc::unscramble(const QString &text) const
{
    return scramble(text);
}

UsuarioWeb Twc::usuarioWeb() const
{
    return { unscramble(m_loginWeb), unscramble(m_senhaWeb) };
}

void Twc::guardaUsuarioWeb(const UsuarioWeb &u)
{
    m_loginWeb = scramble(u.login);
    m_senhaWeb = scramble(u.senha);
}

void Twc::limpaLoginWeb()
{
    m_loginWeb.clear();
    m_senhaWeb.clear();
}

QString Twc::getIDWeb() const
{
    return protocol::getIDWeb(Platform::clock().today());
}
QString Twc::getIDWebMD5() const
{
    return protocol::getIDWebMD5(Platform::clock().today());
}

QByteArray Twc::zip(const QString &text)
{
    return protocol::getZip(text);
}

QString Twc::unzip(const QByteArray &packed)
{
    QString why;
    const std::optional<QString> text = protocol::getUnzip(packed, &why);
    if (!text)
        throw ServiceError(
            ServiceError::Kind::Reply, QStringLiteral("Resposta compactada inválida: %1").arg(why));
    return *text;
}

ServiceError Twc::falhaAtual() const
{
    try {
        throw;
    } catch (const ServiceError &e) {
        return e;
    } catch (const std::exception &e) {
        return ServiceError(ServiceError::Kind::Internal, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return ServiceError(ServiceError::Kind::Internal, QStringLiteral("falha desconhecida"));
    }
}

bool Twc::contemErro(const QString &reply)
{
    return reply.contains(QLatin1String("ERRO ENCONTRADO:"));
}

bool Twc::contemSucesso(const QString &reply)
{
    return reply.contains(QLatin1String("SUCESSO"));
}

void Twc::verificaUsuarioRejeitado(const QString &reply)
{
    if (reply.toUpper().contains(QLatin1String("USUARIO")))
        limpaLoginWeb();
}

bool Twc::trataErroServidor(const QString &reply, bool mensaRetor)
{
    if (!contemErro(reply))
        return false;
    Platform::dialogs().message(kCaption,
        mensaRetor ? getParam(reply, QStringLiteral("MENSA_RETOR")) : reply, MsgIcon::Error,
        MsgButton::Ok);
    verificaUsuarioRejeitado(reply);
    return true;
}

} // namespace zx
