#pragma once
// The date-range question: two dd/mm/yyyy boxes, OK and "&Cancelar". Built by
// TFuncao::Periodo and run through the Dialogs seam.
#include <QDate>
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zx {

class TFrmPeriodo : public QDialog {
    Q_OBJECT
public:
    // Proposes the first day of today's month and today.
    explicit TFrmPeriodo(const QDate &today, QWidget *parent = nullptr);

    QString inicio() const;
    QString fim() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Checks a box as the user leaves it; keeps the focus there when it is invalid.
    bool checkBox(QLineEdit *box);
    void confirm();

    QLineEdit *m_ini;
    QLineEdit *m_fim;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    bool m_checking = false;
};

} // namespace zx
