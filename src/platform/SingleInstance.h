#pragma once
#include <QString>

class QWidget;

namespace zx {

// One running program per user desktop.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the first; it then listens for later starts.
    virtual bool acquire(const QString &key) = 0;
    // Asks the running instance to bring its window to the front.
    virtual bool raiseRunning(const QString &key) = 0;
    // The window the first instance raises when asked.
    virtual void setMainWindow(QWidget *window) = 0;
};

} // namespace zx
