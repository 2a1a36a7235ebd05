#pragma once
// Recording test doubles for every seam, and an RAII installer for tests.
#include "platform/Platform.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class QTemporaryDir;

namespace zx {

struct ShownMessage {
    QString caption;
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    MsgButton defaultButton;
};

class FakeDialogs : public Dialogs {
public:
    // Everything shown, in order.
    QList<ShownMessage> messages;
    QStringList inputPrompts;
    QStringList fileCaptions;
    QStringList modalForms; // objectName (or class name) of each form run

    // Scripted answers; when a queue is empty the default button (or Ok, or the
    // first of the offered buttons) answers, an input box is cancelled, a file
    // dialog is cancelled and a modal form is rejected.
    std::deque<MsgButton> answers;
    std::deque<std::optional<QString>> inputAnswers; // nullopt = cancel
    std::deque<QString> fileAnswers;                 // empty = cancel
    // Called with each modal form; returns the form's result. Queue first, then
    // the persistent handler.
    std::deque<std::function<int(QDialog &)>> formHandlers;
    std::function<int(QDialog &)> defaultFormHandler;
    // Called with every message as it is shown (after recording).
    std::function<void(const ShownMessage &)> onMessage;

    MsgButton message(const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons, MsgButton defaultButton) override;
    bool input(const QString &caption, const QString &prompt, QString &value,
               bool password) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &proposedName) override;
    int runModal(QDialog &form) override;

    // Texts of all messages shown, for QCOMPARE.
    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear();
};

class FakeClock : public Clock {
public:
    QDateTime current = QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0));
    QList<QDateTime> setTimes; // every time the program set the system clock
    bool setSucceeds = true;
    bool advance = false; // advance one second per now() call

    QDateTime now() const override;
    bool setSystemClock(const QDateTime &when) override;

private:
    mutable int m_ticks = 0;
};

class FakeProcesses : public Processes {
public:
    struct Started {
        QString program;
        QStringList arguments;
        QString workingDir;
        bool hidden;
    };
    QList<Started> started;
    bool succeeds = true;
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDir, bool hidden) override;
};

class FakeDesktop : public Desktop {
public:
    QStringList opened;
    QString clipboard;
    bool openDocument(const QString &path) override;
    bool openUrl(const QString &url) override;
    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
};

class FakeHostInfo : public HostInfo {
public:
    QString name = QStringLiteral("CAIXA01");
    QString ipv4 = QStringLiteral("192.168.0.10");
    QString hostName() const override { return name; }
    QString firstIPv4() const override { return ipv4; }
};

class FakeSingleInstance : public SingleInstance {
public:
    bool firstInstance = true;
    int raiseRequests = 0;
    QWidget *window = nullptr;
    bool acquire(const QString &) override { return firstInstance; }
    bool raiseRunning(const QString &) override
    {
        ++raiseRequests;
        return true;
    }
    void setMainWindow(QWidget *w) override { window = w; }
};

class FakeKeyInjector : public KeyInjector {
public:
    struct Key {
        int key;
        QString text;
        bool keypad;
    };
    QList<Key> injected;
    bool numLock = true;
    QList<bool> numLockSets;
    // When true the keys are really delivered to the focused widget, as the real
    // injector does; otherwise they are only recorded.
    bool deliver = true;
    void injectKey(int qtKey, const QString &text, bool keypad) override;
    bool numLockOn() const override { return numLock; }
    void setNumLock(bool on) override
    {
        numLock = on;
        numLockSets << on;
    }
};

// Installs fakes for every seam and a fresh temporary station (drive root and
// program folder) for the life of the object; restores what was there before.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<FakeProcesses> processes = std::make_shared<FakeProcesses>();
    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    std::shared_ptr<FakeHostInfo> hostInfo = std::make_shared<FakeHostInfo>();
    std::shared_ptr<FakeSingleInstance> singleInstance = std::make_shared<FakeSingleInstance>();
    std::shared_ptr<FakeKeyInjector> keys = std::make_shared<FakeKeyInjector>();

    QString root() const;        // drive root (kv.ini, rel.txt)
    QString programFolder() const; // program folder (configura.ini, Dados/)

private:
    PlatformServices m_previous;
    QTemporaryDir *m_dir;
};

} // namespace zx
