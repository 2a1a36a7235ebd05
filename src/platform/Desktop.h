#pragma once
#include <QString>

namespace zx {

// Opening a document or web address with the user's default program, and the clipboard.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool openDocument(const QString &path) = 0;
    virtual bool openUrl(const QString &url) = 0;
    virtual QString clipboardText() const = 0;
    virtual void setClipboardText(const QString &text) = 0;
};

} // namespace zx
