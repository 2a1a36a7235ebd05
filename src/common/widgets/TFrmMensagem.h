#pragma once
// The full-colour message window: rounded, borderless, the message centred in bold
// and a blinking "press any key" line; any key or click closes it.
#include <QColor>
#include <QDialog>
#include <QStringList>

class QLabel;
class QTextEdit;
class QTimer;

namespace zx {

class TFrmMensagem : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMensagem(const QColor &cor, QWidget *parent = nullptr);

    void addLine(const QString &line);
    void setLines(const QStringList &lines);
    QStringList lines() const { return m_lines; }

    // Creates the window, shows the lines modally through the Dialogs seam.
    static void mostra(const QColor &cor, const QStringList &lines);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList m_lines;
    QTextEdit *m_memo;
    QLabel *m_rodape;
    QTimer *m_blink;
};

} // namespace zx
