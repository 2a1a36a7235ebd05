#pragma once
#include <QString>

namespace zx {

// Synthetic key presses and the Num Lock state.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    // Delivers a key press and release to the focused widget.
    virtual void injectKey(int qtKey, const QString &text, bool keypad) = 0;
    // Unknown state reads as on.
    virtual bool numLockOn() const = 0;
    virtual void setNumLock(bool on) = 0;
};

} // namespace zx
