#pragma once
// Everything that waits for a person: message boxes, questions, input boxes, file
// dialogs and modal forms. Business code never opens these directly, so that tests
// can record what was shown and answer from a script.
#include <QFlags>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace zx {

enum class MsgIcon { None, Information, Warning, Error, Question };

enum class MsgButton {
    NoButton = 0x0,
    Ok = 0x1,
    Cancel = 0x2,
    Yes = 0x4,
    No = 0x8,
    Abort = 0x10,
    Retry = 0x20,
    Ignore = 0x40,
};
Q_DECLARE_FLAGS(MsgButtons, MsgButton)

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Texts use "\r" for a line break, as the messages are written; the real
    // implementation shows it as a new line.
    virtual MsgButton message(const QString &caption, const QString &text, MsgIcon icon,
                              MsgButtons buttons = MsgButton::Ok,
                              MsgButton defaultButton = MsgButton::NoButton) = 0;

    // An input box; false when cancelled (value is left as it was).
    virtual bool input(const QString &caption, const QString &prompt, QString &value,
                       bool password = false) = 0;

    // Empty result when cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter, const QString &proposedName = {}) = 0;

    // Shows a form modally and returns its result (QDialog::Accepted/Rejected or done()).
    virtual int runModal(QDialog &form) = 0;

    // Convenience forms over message().
    bool yesNo(const QString &caption, const QString &text,
               MsgButton defaultButton = MsgButton::Yes, MsgIcon icon = MsgIcon::Question)
    {
        return message(caption, text, icon, MsgButtons(MsgButton::Yes) | MsgButton::No,
                       defaultButton)
               == MsgButton::Yes;
    }
    void info(const QString &caption, const QString &text)
    {
        message(caption, text, MsgIcon::Information);
    }
    void warning(const QString &caption, const QString &text)
    {
        message(caption, text, MsgIcon::Warning);
    }
    void error(const QString &caption, const QString &text)
    {
        message(caption, text, MsgIcon::Error);
    }
};

} // namespace zx

Q_DECLARE_OPERATORS_FOR_FLAGS(zx::MsgButtons)
