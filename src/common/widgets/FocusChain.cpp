#include "common/widgets/FocusChain.h"

#include <QApplication>
#include <QWidget>

namespace zx {

void moveFocus(QWidget *form, bool forward)
{
    if (!form)
        return;
    QWidget *start = QApplication::focusWidget();
    if (!start || (start != form && !form->isAncestorOf(start)))
        start = form;
    QWidget *w = start;
    // The chain is a ring; the bound only guards against a broken one.
    for (int guard = 0; guard < 10000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start)
            return;
        if (w != form && form->isAncestorOf(w) && w->isVisible() && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

} // namespace zx
