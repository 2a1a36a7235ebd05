#pragma once
// Reads one key of an INI file (Windows-1252, sections and keys in any case) for the
// few widgets of this folder that need a station setting before the configuration
// layer, which sits above this folder, is available to them.
#include <QString>

namespace zx::funcao {

// The value of key in [section] of the file, trimmed; def when the file, the section
// or the key is missing.
QString iniPeek(
    const QString &path, const QString &section, const QString &key, const QString &def);

} // namespace zx::funcao
