#include "merchant/TFrmTipCancel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zx {

TFrmTipCancel::TFrmTipCancel(QWidget *parent) : TFrmFormPadrao(parent)
{
    setObjectName(QStringLiteral("FrmTipCancel"));
    setWindowTitle(QStringLiteral("Assitente de cancelamento de cartão"));
    auto *v = new QVBoxLayout(this);
    m_grupo = new QGroupBox(QStringLiteral("Tipo de Cancelamento:"));
    m_grupo->setObjectName(QStringLiteral("RGTipCanc"));
    m_itensLayout = new QVBoxLayout(m_grupo);
    m_botoes = new QButtonGroup(this);
    v->addWidget(m_grupo);
    auto *h = new QHBoxLayout;
    h->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("&Ok"));
    ok->setObjectName(QStringLiteral("BtnOk"));
    ok->setDefault(true);
    auto *fechar = new QPushButton(QStringLiteral("&Fechar"));
    fechar->setObjectName(QStringLiteral("BtnFechar"));
    h->addWidget(ok);
    h->addWidget(fechar);
    v->addLayout(h);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    setItems({QStringLiteral("Demissão do funcionário (traz todo o débito do mesmo)"),
              QStringLiteral("Cancelar e solicitar outro cartão"), QStringLiteral("Apenas cancelar o cartão")});
}

void TFrmTipCancel::setGroupCaption(const QString &caption) { m_grupo->setTitle(caption); }
QString TFrmTipCancel::groupCaption() const { return m_grupo->title(); }

void TFrmTipCancel::setItems(const QStringList &items)
{
    for (QAbstractButton *b : m_botoes->buttons()) {
        m_botoes->removeButton(b);
        delete b;
    }
    int i = 0;
    for (const QString &t : items) {
        auto *r = new QRadioButton(t);
        r->setObjectName(QStringLiteral("RGTipCanc_%1").arg(i));
        m_botoes->addButton(r, i++);
        m_itensLayout->addWidget(r);
    }
    setItemIndex(0);
}

QStringList TFrmTipCancel::items() const
{
    QStringList out;
    for (QAbstractButton *b : m_botoes->buttons())
        out << b->text();
    return out;
}

int TFrmTipCancel::itemIndex() const { return m_botoes->checkedId(); }

void TFrmTipCancel::setItemIndex(int index)
{
    if (QAbstractButton *b = m_botoes->button(index))
        b->setChecked(true);
}

} // namespace zx
