#include "common/widgets/TEDTVLR.h"

namespace zx {

TEDTVLR::TEDTVLR(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(QStringLiteral("0,00"));
    resize(80, sizeHint().height());
}

void TEDTVLR::setPasswordChar(QChar c)
{
    m_passwordChar = c;
    setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

} // namespace zx
