#include "common/widgets/TTQBEdit.h"

namespace zx {

TTQBEdit::TTQBEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignLeft);
}

void TTQBEdit::setCorFoco(const QColor &c)
{
    m_corFoco = c;
    if (hasFocus())
        paintBase(c);
}

void TTQBEdit::focusInEvent(QFocusEvent *event)
{
    paintBase(m_corFoco);
    QLineEdit::focusInEvent(event);
}

void TTQBEdit::focusOutEvent(QFocusEvent *event)
{
    paintBase(Qt::white);
    QLineEdit::focusOutEvent(event);
}

void TTQBEdit::paintBase(const QColor &c)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    setPalette(p);
}

} // namespace zx
