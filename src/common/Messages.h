#pragma once
#include <QString>

namespace zx {

// Caption of the message boxes of the business screens.
inline const QString kCaption = QStringLiteral("ZENTrix");

// Modal box captioned "Erro" with the error icon and an OK button.
void MsgErro(const QString &text);
// Modal box captioned "Atenção" with the exclamation icon and an OK button.
void MsgAtencao(const QString &text);
// Box captioned "ZENTrix" with the given icon (information by default).
void MsgZentrix(const QString &text);

} // namespace zx
