#include "shell/TFrmInstiVincul.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zx {

TFrmInstiVincul::TFrmInstiVincul(QWidget *parent)
    : TFrmFormPadrao(parent)
{
    setObjectName(QStringLiteral("FrmInstiVincul"));
    setWindowTitle(QStringLiteral("Selecione a Empresa"));
    auto *v = new QVBoxLayout(this);
    m_lista = new QTreeWidget;
    m_lista->setObjectName(QStringLiteral("Lista"));
    m_lista->setRootIsDecorated(false);
    m_lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lista->setHeaderLabels({ QStringLiteral("Identificação Local"),
        QStringLiteral("Descrição da Empresa"), QStringLiteral("Tipo"), QStringLiteral("CNPJ") });
    m_lista->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    v->addWidget(m_lista);
    auto *ok = new QPushButton(QStringLiteral("&Ok"));
    ok->setObjectName(QStringLiteral("BtnOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"));
    cancel->setObjectName(QStringLiteral("BtnCancelar"));
    auto *h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(ok);
    h->addWidget(cancel);
    v->addLayout(h);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lista, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(640, 320);
}

void TFrmInstiVincul::preenche(const QList<EmpresaVinculada> &empresas)
{
    m_lista->clear();
    for (const EmpresaVinculada &e : empresas) {
        auto *item = new QTreeWidgetItem(m_lista);
        item->setText(0, e.apelido);
        item->setText(1, e.nome);
        item->setText(2, empresas::tipoTexto(e.tipo));
        item->setText(3, e.cnpj);
    }
}

bool TFrmInstiVincul::escolhida(EmpresaVinculada &out) const
{
    const QTreeWidgetItem *item = m_lista->currentItem();
    if (!item)
        return false;
    out.apelido = item->text(0);
    out.nome = item->text(1);
    out.tipo = empresas::tipoDeTexto(item->text(2));
    out.cnpj = item->text(3);
    return true;
}

void TFrmInstiVincul::showEvent(QShowEvent *event)
{
    TFrmFormPadrao::showEvent(event);
    if (m_lista->topLevelItemCount() > 0) {
        m_lista->setFocus();
        m_lista->setCurrentItem(m_lista->topLevelItem(0));
    }
}

} // namespace zx
