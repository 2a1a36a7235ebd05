#include "platform/fakes/FakePlatform.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

namespace zx {

MsgButton FakeDialogs::message(const QString &caption, const QString &text, MsgIcon icon,
                               MsgButtons buttons, MsgButton defaultButton)
{
    if (buttons == MsgButtons())
        buttons = MsgButton::Ok;
    messages.append({caption, text, icon, buttons, defaultButton});
    if (onMessage)
        onMessage(messages.last());
    if (!answers.empty()) {
        const MsgButton a = answers.front();
        answers.pop_front();
        return a;
    }
    if (defaultButton != MsgButton::NoButton)
        return defaultButton;
    for (MsgButton b : {MsgButton::Ok, MsgButton::Yes, MsgButton::No, MsgButton::Cancel,
                        MsgButton::Abort, MsgButton::Retry, MsgButton::Ignore})
        if (buttons.testFlag(b))
            return b;
    return MsgButton::Ok;
}

bool FakeDialogs::input(const QString &caption, const QString &prompt, QString &value, bool)
{
    inputPrompts << (caption + QLatin1String(": ") + prompt);
    if (inputAnswers.empty())
        return false;
    const std::optional<QString> a = inputAnswers.front();
    inputAnswers.pop_front();
    if (!a)
        return false;
    value = *a;
    return true;
}

QString FakeDialogs::openFileName(const QString &caption, const QString &, const QString &)
{
    fileCaptions << caption;
    if (fileAnswers.empty())
        return {};
    const QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString FakeDialogs::saveFileName(const QString &caption, const QString &dir,
                                  const QString &filter, const QString &)
{
    return openFileName(caption, dir, filter);
}

int FakeDialogs::runModal(QDialog &form)
{
    modalForms << (form.objectName().isEmpty() ? QString::fromLatin1(form.metaObject()->className())
                                               : form.objectName());
    std::function<int(QDialog &)> handler;
    if (!formHandlers.empty()) {
        handler = formHandlers.front();
        formHandlers.pop_front();
    } else {
        handler = defaultFormHandler;
    }
    if (!handler)
        return QDialog::Rejected;
    // The form is shown (not exec'd) so that its show handlers run and tests can
    // type into it; the handler returns the result the form would have ended with.
    form.show();
    const int r = handler(form);
    form.hide();
    return r;
}

QStringList FakeDialogs::texts() const
{
    QStringList out;
    for (const ShownMessage &m : messages)
        out << m.text;
    return out;
}

void FakeDialogs::clear()
{
    messages.clear();
    inputPrompts.clear();
    fileCaptions.clear();
    modalForms.clear();
}

QDateTime FakeClock::now() const
{
    return advance ? current.addSecs(m_ticks++) : current;
}

bool FakeClock::setSystemClock(const QDateTime &when)
{
    setTimes << when;
    if (setSucceeds)
        current = when;
    return setSucceeds;
}

bool FakeProcesses::startDetached(const QString &program, const QStringList &arguments,
                                  const QString &workingDir, bool hidden)
{
    started.append({program, arguments, workingDir, hidden});
    return succeeds;
}

bool FakeDesktop::openDocument(const QString &path)
{
    opened << path;
    return true;
}

bool FakeDesktop::openUrl(const QString &url)
{
    opened << url;
    return true;
}

void FakeKeyInjector::injectKey(int qtKey, const QString &text, bool keypad)
{
    injected.append({qtKey, text, keypad});
    if (!deliver)
        return;
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, mods, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, mods, text));
}

FakePlatform::FakePlatform() : m_previous(Platform::services()), m_dir(new QTemporaryDir)
{
    PlatformServices s;
    s.dialogs = dialogs;
    s.clock = clock;
    s.processes = processes;
    s.desktop = desktop;
    s.hostInfo = hostInfo;
    s.singleInstance = singleInstance;
    s.keys = keys;
    s.paths = StationPaths(m_dir->path() + QLatin1String("/root"),
                           m_dir->path() + QLatin1String("/root/station"));
    s.paths.ensureExist();
    Platform::install(s);
}

FakePlatform::~FakePlatform()
{
    Platform::install(m_previous);
    delete m_dir;
}

QString FakePlatform::root() const { return Platform::paths().driveRoot(); }
QString FakePlatform::programFolder() const { return Platform::paths().programFolder(); }

} // namespace zx
