#include "shell/PageControl.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTabBar>

namespace zx {

PageControl::PageControl(QWidget *parent)
    : QTabWidget(parent)
{
    tabBar()->installEventFilter(this);
    connect(this, &QTabWidget::currentChanged, this, &PageControl::onCurrentChanged);
}

void PageControl::setActivePage(QWidget *page)
{
    const int i = indexOf(page);
    if (i < 0 || i == currentIndex())
        return;
    m_forced = true;
    setCurrentIndex(i);
    m_forced = false;
}

void PageControl::setPageVisible(QWidget *page, bool visible)
{
    const int i = indexOf(page);
    if (i < 0)
        return;
    // Hiding the active tab moves the selection: that is the window's doing, not the user's.
    m_forced = true;
    setTabVisible(i, visible);
    m_forced = false;
}

bool PageControl::isPageVisible(QWidget *page) const
{
    const int i = indexOf(page);
    return i >= 0 && isTabVisible(i);
}

void PageControl::activateFirstVisible()
{
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i)) {
            setActivePage(widget(i));
            return;
        }
    }
}

bool PageControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tabBar()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::Shortcut:
            if (!allowed()) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}

void PageControl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab and Ctrl+PgUp/PgDn change pages from inside the page.
    if ((event->modifiers() & Qt::ControlModifier) && !allowed()) {
        const int k = event->key();
        if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_PageUp
            || k == Qt::Key_PageDown) {
            event->accept();
            return;
        }
    }
    QTabWidget::keyPressEvent(event);
}

void PageControl::onCurrentChanged(int index)
{
    if (m_reverting)
        return;
    // Whatever slipped past the filters (a direct call on the tab bar) is undone here.
    if (!m_forced && !allowed() && m_last >= 0 && m_last < count() && m_last != index) {
        m_reverting = true;
        setCurrentIndex(m_last);
        m_reverting = false;
        return;
    }
    m_last = index;
    emit pageChanged(widget(index));
}

} // namespace zx
