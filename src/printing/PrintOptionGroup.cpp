#include "printing/PrintOptionGroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace zx {

PrintOptionGroup::PrintOptionGroup(const QString &objectName, const QString &caption,
    const QStringList &items, Qt::Orientation orientation, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_group(new QButtonGroup(this))
{
    setObjectName(objectName);
    auto *layout = orientation == Qt::Horizontal ? static_cast<QBoxLayout *>(new QHBoxLayout(this))
                                                 : new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        b->setObjectName(objectName + QString::number(i));
        m_group->addButton(b, i);
        layout->addWidget(b);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            emit itemIndexChanged(id);
    });
}

int PrintOptionGroup::itemIndex() const
{
    return m_group->checkedId();
}

void PrintOptionGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = m_group->button(index))
        b->setChecked(true);
}

QRadioButton *PrintOptionGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

int PrintOptionGroup::count() const
{
    return int(m_group->buttons().size());
}

} // namespace zx
