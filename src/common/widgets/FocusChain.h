#pragma once
class QWidget;

namespace zx {

// Moves the keyboard focus to the next (or previous) control of the form that takes
// focus by Tab, as Tab and Shift+Tab would; wraps around inside the form.
void moveFocus(QWidget *form, bool forward);

} // namespace zx
