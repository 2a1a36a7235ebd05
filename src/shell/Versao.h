#pragma once
#include <QString>

namespace zx {

// The program version: shown in the window title, handed to the service client and
// compared with the version the server announces. Needs no data module.
inline QString versaoSistema()
{
    return QStringLiteral("3.0.1.6");
}

} // namespace zx
