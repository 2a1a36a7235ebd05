#pragma once
// A text box that lights up (yellow by default) while it has the focus.
#include <QColor>
#include <QLineEdit>

namespace zx {

class TTQBEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QColor CorFoco READ corFoco WRITE setCorFoco)
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
public:
    explicit TTQBEdit(QWidget *parent = nullptr);

    QColor corFoco() const { return m_corFoco; }
    void setCorFoco(const QColor &c);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void paintBase(const QColor &c);
    QColor m_corFoco = QColor(255, 255, 0);
};

} // namespace zx
