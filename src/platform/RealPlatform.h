#pragma once
// The implementations used by the running program.
#include "platform/Platform.h"

#include <QObject>
#include <QPointer>

class QLocalServer;

namespace zx {

class RealDialogs : public Dialogs {
public:
    MsgButton message(const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons, MsgButton defaultButton) override;
    bool input(const QString &caption, const QString &prompt, QString &value,
               bool password) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &proposedName) override;
    int runModal(QDialog &form) override;
};

class RealClock : public Clock {
public:
    QDateTime now() const override;
    bool setSystemClock(const QDateTime &when) override;
};

class RealProcesses : public Processes {
public:
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDir, bool hidden) override;
};

class RealDesktop : public Desktop {
public:
    bool openDocument(const QString &path) override;
    bool openUrl(const QString &url) override;
    QString clipboardText() const override;
    void setClipboardText(const QString &text) override;
};

class RealHostInfo : public HostInfo {
public:
    QString hostName() const override;
    QString firstIPv4() const override;
};

class RealSingleInstance : public QObject, public SingleInstance {
    Q_OBJECT
public:
    bool acquire(const QString &key) override;
    bool raiseRunning(const QString &key) override;
    void setMainWindow(QWidget *window) override;

private:
    void raiseWindow();
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};

class RealKeyInjector : public KeyInjector {
public:
    void injectKey(int qtKey, const QString &text, bool keypad) override;
    bool numLockOn() const override;
    void setNumLock(bool on) override;

private:
    bool m_numLock = true;
};

} // namespace zx
