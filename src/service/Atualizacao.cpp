#include "service/Atualizacao.h"

#include "config/StationSettings.h"
#include "platform/Platform.h"
#include "service/ServiceSettings.h"
#include "service/VersaoPrograma.h"

#include <QFile>

namespace zx {

namespace {
bool temDigito(const QString &s)
{
    for (QChar c : s)
        if (c.isDigit())
            return true;
    return false;
}
} // namespace

void baixaAtualizacao(Twc &wc, bool mostrar, QString versao)
{
    const StationPaths &paths = Platform::paths();
    const QString pacote = paths.inProgram(kPacoteAtualizacao);
    if (!temDigito(versao) && QFile::exists(pacote)) {
        mostraAguarde(QStringLiteral("Aguarde!!! comparando as versões..."), wc.corAguarde);
        QString versaoServidor;
        wc.getDatWEB(versaoServidor);
        versao = versaoServidor;
        fechaAguarde();
    }
    StationSettings settings;
    if (comparaVersao(settings.versBx(), versao) < 0)
        QFile::remove(pacote);

    // "-c" resumes a partial package; the output name is fixed so that the hand-over
    // at the next start finds it whatever the address ends with.
    const QStringList args { QStringLiteral("-c"), QStringLiteral("-O"), kPacoteAtualizacao,
        ServiceSettings::updateUrl() };
#ifdef Q_OS_WIN
    const QString downloader = paths.inProgram(QStringLiteral("wget.exe"));
#else
    const QString downloader = QStringLiteral("wget");
#endif
    // A missing downloader is not reported: the next newer-version signal tries again.
    Platform::processes().startDetached(downloader, args, paths.programFolder(), !mostrar);
    settings.setVersBx(versao);
}

Twc::TAfterCprVers aposCprVersBaixa()
{
    return [](Twc &sender, QString &, bool &versDifer, QString &versWEB) {
        if (versDifer)
            baixaAtualizacao(sender, false, versWEB);
    };
}

} // namespace zx
