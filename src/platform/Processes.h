#pragma once
#include <QString>
#include <QStringList>

namespace zx {

// Outside programs (updater, downloader, spreadsheet ...), started without waiting.
class Processes {
public:
    virtual ~Processes() = default;
    // False when the program could not be started (missing, not executable).
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingDir = {}, bool hidden = true) = 0;
};

} // namespace zx
