#pragma once
// The base of the system's dialogs: Escape closes; Enter and Down move to the next
// control and Up to the previous one (not inside grids and lists); F7 opens the
// calculator. Keys are seen before the focused control, as a form with key preview.
#include <QDialog>
#include <functional>

namespace zx {

class TFrmFormPadrao : public QDialog {
    Q_OBJECT
public:
    explicit TFrmFormPadrao(QWidget *parent = nullptr);

    // What F7 opens, given the form that asked; the calculator installs itself here.
    // Until one is installed F7 does nothing.
    using CalculatorOpener = std::function<void(QWidget *form)>;
    static void setCalculatorOpener(CalculatorOpener opener);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool handleKey(QKeyEvent *key);
};

} // namespace zx
