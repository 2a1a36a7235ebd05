#include "common/Messages.h"

#include "platform/Platform.h"

namespace zx {

void MsgErro(const QString &text)
{
    Platform::dialogs().message(QStringLiteral("Erro"), text, MsgIcon::Error, MsgButton::Ok);
}

void MsgAtencao(const QString &text)
{
    Platform::dialogs().message(QStringLiteral("Atenção"), text, MsgIcon::Warning,
                                MsgButton::Ok);
}

void MsgZentrix(const QString &text)
{
    Platform::dialogs().message(kCaption, text, MsgIcon::Information, MsgButton::Ok);
}

} // namespace zx
