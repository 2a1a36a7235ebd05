#pragma once
// "Selecione a Empresa": the companies the station may act for, one of which the
// station chooses at start.
#include "shell/CompanyChoice.h"

#include "common/widgets/TFrmFormPadrao.h"

class QTreeWidget;

namespace zx {

class TFrmInstiVincul : public TFrmFormPadrao {
    Q_OBJECT
public:
    explicit TFrmInstiVincul(QWidget *parent = nullptr);

    // One line per company: short name, name, type as text, CNPJ.
    void preenche(const QList<EmpresaVinculada> &empresas);
    // The chosen line (Lista's current row), or none.
    bool escolhida(EmpresaVinculada &out) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QTreeWidget *m_lista;
};

} // namespace zx
