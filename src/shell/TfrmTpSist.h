#pragma once
// "Assistente de configuração": the station kind chosen at the first run and by
// "Alterar Tipo do Sistema".
#include "common/widgets/TFrmFormPadrao.h"

class QButtonGroup;
class QGroupBox;

namespace zx {

class TfrmTpSist : public TFrmFormPadrao {
    Q_OBJECT
public:
    explicit TfrmTpSist(QWidget *parent = nullptr);

    // The three kinds, in the order of the choice (index + 1 is the kind).
    static QStringList textos();

    // Index of the chosen kind in RgTpSist (0 to 2), -1 when none.
    int itemIndex() const;
    void setItemIndex(int index);

private:
    QGroupBox *m_group;
    QButtonGroup *m_buttons;
};

} // namespace zx
