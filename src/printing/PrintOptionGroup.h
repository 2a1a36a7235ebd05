#pragma once
// A captioned group of radio buttons read by item index, as the print dialogs use
// them ("&Todas", "Página &Atual", "&Intervalo"). Each button is named
// objectName + index ("RgIntervalo2").
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace zx {

class PrintOptionGroup : public QGroupBox {
    Q_OBJECT
public:
    PrintOptionGroup(const QString &objectName, const QString &caption, const QStringList &items,
        Qt::Orientation orientation, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *button(int index) const;
    int count() const;

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
};

} // namespace zx
