#pragma once
// The background download of the update package "Zentrix.zip" into the program folder;
// the program entry installs it at the next start.
#include "service/Twc.h"

namespace zx {

inline const QString kPacoteAtualizacao = QStringLiteral("Zentrix.zip");

// Starts or resumes the download without waiting for it: with no version given and a
// package present, asks the server for its version first; drops a package older than
// that version (VERSBX of configura.ini says which one it is); starts the downloader
// (visible when `mostrar`) and records the version in VERSBX. A missing downloader
// fails silently.
void baixaAtualizacao(Twc &wc, bool mostrar, QString versao);

// The handler the main data module gives AposCprVers: a newer server version starts
// the download hidden, with that version.
Twc::TAfterCprVers aposCprVersBaixa();

} // namespace zx
