#include "shell/TfrmTpSist.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zx {

QStringList TfrmTpSist::textos()
{
    return { QStringLiteral("Sistema para vendas (Estabelecimento credenciado)"),
        QStringLiteral("Sistema de Controle dos Funcionários (Empresa conveniada)"),
        QStringLiteral("Sistema para vendas e Controle dos Funcionários") };
}

TfrmTpSist::TfrmTpSist(QWidget *parent)
    : TFrmFormPadrao(parent)
{
    setObjectName(QStringLiteral("frmTpSist"));
    setWindowTitle(QStringLiteral("Assistente de configuração"));
    auto *v = new QVBoxLayout(this);
    m_group = new QGroupBox(QStringLiteral("Selecione a configuração p/ o Sistema:"));
    m_group->setObjectName(QStringLiteral("RgTpSist"));
    m_buttons = new QButtonGroup(this);
    auto *g = new QVBoxLayout(m_group);
    const QStringList t = textos();
    for (int i = 0; i < t.size(); ++i) {
        auto *r = new QRadioButton(t.at(i));
        r->setObjectName(QStringLiteral("RgTpSist%1").arg(i));
        m_buttons->addButton(r, i);
        g->addWidget(r);
    }
    v->addWidget(m_group);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(ok);
    v->addLayout(h);
    setItemIndex(0);
}

int TfrmTpSist::itemIndex() const
{
    return m_buttons->checkedId();
}

void TfrmTpSist::setItemIndex(int index)
{
    if (QAbstractButton *b = m_buttons->button(index))
        b->setChecked(true);
}

} // namespace zx
