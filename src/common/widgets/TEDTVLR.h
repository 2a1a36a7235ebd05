#pragma once
// The amount box: right-aligned, 80 pixels wide, "0,00" when new.
#include <QLineEdit>

namespace zx {

class TEDTVLR : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(QChar PasswordChar READ passwordChar WRITE setPasswordChar)
public:
    explicit TEDTVLR(QWidget *parent = nullptr);

    // Any character other than NUL masks the text (Qt draws its own mask symbol).
    QChar passwordChar() const { return m_passwordChar; }
    void setPasswordChar(QChar c);

private:
    QChar m_passwordChar;
};

} // namespace zx
