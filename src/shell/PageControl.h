#pragma once
// A tab widget whose page changes can be refused, as the main window refuses them
// while the station has no company. Programmatic changes through setActivePage()
// always pass; anything else (mouse, wheel, keyboard, mnemonics) asks the guard.
#include <QTabWidget>
#include <functional>

namespace zx {

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    // Returns true when the page may change.
    void setChangingGuard(std::function<bool()> guard) { m_guard = std::move(guard); }
    // Changes the page without asking the guard.
    void setActivePage(QWidget *page);
    void setPageVisible(QWidget *page, bool visible);
    bool isPageVisible(QWidget *page) const;
    // The first visible page becomes active.
    void activateFirstVisible();

signals:
    // A page change that passed the guard (also programmatic ones).
    void pageChanged(QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool allowed() const { return !m_guard || m_guard(); }
    void onCurrentChanged(int index);

    std::function<bool()> m_guard;
    bool m_forced = false;
    bool m_reverting = false;
    int m_last = -1;
};

} // namespace zx
