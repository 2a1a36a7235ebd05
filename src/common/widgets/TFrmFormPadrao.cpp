#include "common/widgets/TFrmFormPadrao.h"

#include "common/widgets/FocusChain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

namespace zx {

namespace {
TFrmFormPadrao::CalculatorOpener &calculator()
{
    static TFrmFormPadrao::CalculatorOpener opener;
    return opener;
}

bool isGridOrList(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView *>(w))
            return true;
    return false;
}

bool isMultiLineText(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (auto *t = qobject_cast<const QTextEdit *>(w))
            return !t->isReadOnly();
        if (auto *p = qobject_cast<const QPlainTextEdit *>(w))
            return !p->isReadOnly();
    }
    return false;
}
} // namespace

TFrmFormPadrao::TFrmFormPadrao(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    qApp->installEventFilter(this);
}

void TFrmFormPadrao::setCalculatorOpener(CalculatorOpener opener)
{
    calculator() = std::move(opener);
}

bool TFrmFormPadrao::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if ((w == this || isAncestorOf(w)) && handleKey(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TFrmFormPadrao::handleKey(QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    QWidget *focus = QApplication::focusWidget();
    switch (key->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button is pressed by Enter; a multi-line text takes its new line.
        if (qobject_cast<QPushButton *>(focus) || isMultiLineText(focus))
            return false;
        [[fallthrough]];
    case Qt::Key_Down:
        if (isGridOrList(focus) || (key->key() == Qt::Key_Down && isMultiLineText(focus)))
            return false;
        moveFocus(this, true);
        return true;
    case Qt::Key_Up:
        if (isGridOrList(focus) || isMultiLineText(focus))
            return false;
        moveFocus(this, false);
        return true;
    case Qt::Key_F7:
        if (calculator())
            calculator()(this);
        return true;
    default:
        return false;
    }
}

void TFrmFormPadrao::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the main window (the owner, or the window that was active).
    QWidget *owner = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    if (owner == this)
        owner = nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen *s = screen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

} // namespace zx
