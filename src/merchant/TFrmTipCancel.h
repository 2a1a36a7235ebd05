#pragma once
// The small option dialog of several card screens: one radio group and "&Ok" /
// "&Fechar". Callers may replace the captions and the items and read the choice.
#include "common/widgets/TFrmFormPadrao.h"

#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QVBoxLayout;

namespace zx {

class TFrmTipCancel : public TFrmFormPadrao {
    Q_OBJECT
public:
    explicit TFrmTipCancel(QWidget *parent = nullptr);

    void setCaption(const QString &caption) { setWindowTitle(caption); }
    void setGroupCaption(const QString &caption);
    QString groupCaption() const;
    // Replaces the items; the first one is selected.
    void setItems(const QStringList &items);
    QStringList items() const;
    int itemIndex() const;
    void setItemIndex(int index);

private:
    QGroupBox *m_grupo;
    QVBoxLayout *m_itensLayout;
    QButtonGroup *m_botoes;
};

} // namespace zx
