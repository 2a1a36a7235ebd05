#include "printing/TFrmImprimir.h"

#include "common/Messages.h"
#include "common/core/TextHelpers.h"
#include "printing/PrintOptionGroup.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zx {

namespace {
// What leaving the box would leave there: its digits, 1 when none.
int pageNumber(const QLineEdit *box)
{
    bool ok = false;
    const int n = funcao::SoNumero(box->text()).toInt(&ok);
    return ok ? n : 1;
}
} // namespace

TFrmImprimir::TFrmImprimir(QWidget *owner, bool mostrar)
    : QDialog(owner)
    , m_mostrar(mostrar)
{
    setObjectName(QStringLiteral("FrmImprimir"));
    setWindowTitle(QStringLiteral("Imprimir"));

    m_porta = new QLineEdit(this);
    m_porta->setObjectName(QStringLiteral("EdtPorta"));
    m_porta->setReadOnly(true);

    m_intervalo = new PrintOptionGroup(QStringLiteral("RgIntervalo"),
        QStringLiteral("Intervalo de impressão"),
        { QStringLiteral("&Todas"), QStringLiteral("Página &Atual"), QStringLiteral("&Intervalo") },
        Qt::Vertical, this);
    m_intervalo->setItemIndex(Todas);

    m_pagIni = new QLineEdit(this);
    m_pagIni->setObjectName(QStringLiteral("EdtPagIni"));
    m_pagFim = new QLineEdit(this);
    m_pagFim->setObjectName(QStringLiteral("EdtPagFim"));
    m_pagIni->setVisible(false);
    m_pagFim->setVisible(false);

    m_copias = new QSpinBox(this);
    m_copias->setObjectName(QStringLiteral("EdtNrPag"));
    m_copias->setMinimum(1);
    m_copias->setMaximum(999);
    m_copias->setValue(1);

    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("BtnOk"));
    m_cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancelar->setObjectName(QStringLiteral("BtnCancelar"));
    // Enter moves between the fields; only the copies box confirms.
    m_ok->setAutoDefault(false);
    m_cancelar->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Impressora:"), m_porta);
    auto *pages = new QHBoxLayout;
    pages->addWidget(m_pagIni);
    pages->addWidget(m_pagFim);
    auto *copies = new QLabel(QStringLiteral("Número de &cópias a serem impressas:"), this);
    copies->setBuddy(m_copias);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancelar);
    auto *main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(m_intervalo);
    main->addLayout(pages);
    auto *copiesRow = new QHBoxLayout;
    copiesRow->addWidget(copies);
    copiesRow->addWidget(m_copias);
    main->addLayout(copiesRow);
    main->addLayout(buttons);

    connect(m_intervalo, &PrintOptionGroup::itemIndexChanged, this, &TFrmImprimir::intervaloMudou);
    connect(m_ok, &QPushButton::clicked, this, &TFrmImprimir::confirma);
    connect(m_cancelar, &QPushButton::clicked, this, &QDialog::reject);

    const QList<QWidget *> keyed { m_porta, m_intervalo->button(0), m_intervalo->button(1),
        m_intervalo->button(2), m_pagIni, m_pagFim, m_copias, m_ok, m_cancelar };
    for (QWidget *w : keyed)
        w->installEventFilter(this);
}

void TFrmImprimir::setPorta(const QString &porta)
{
    m_porta->setText(porta);
}
QString TFrmImprimir::porta() const
{
    return m_porta->text();
}

void TFrmImprimir::setPaginas(int primeira, int ultima)
{
    m_pagIni->setText(QString::number(primeira));
    m_pagFim->setText(QString::number(ultima));
}

void TFrmImprimir::setCopias(int copias)
{
    m_copias->setValue(copias);
}

TFrmImprimir::Intervalo TFrmImprimir::intervalo() const
{
    return Intervalo(std::max(0, m_intervalo->itemIndex()));
}

void TFrmImprimir::setIntervalo(Intervalo i)
{
    m_intervalo->setItemIndex(i);
}

int TFrmImprimir::pagIni() const
{
    return pageNumber(m_pagIni);
}
int TFrmImprimir::pagFim() const
{
    return pageNumber(m_pagFim);
}
int TFrmImprimir::copias() const
{
    return m_copias->value();
}

void TFrmImprimir::intervaloMudou(int index)
{
    const bool faixa = index == Faixa;
    m_pagIni->setVisible(faixa);
    m_pagFim->setVisible(faixa);
    if (faixa)
        m_pagIni->setFocus();
    else
        m_copias->setFocus();
}

void TFrmImprimir::saiPagina(QLineEdit *box)
{
    QString digits = funcao::SoNumero(box->text());
    if (digits.isEmpty())
        digits = QStringLiteral("1");
    box->setText(digits);
}

bool TFrmImprimir::confereFaixa()
{
    if (pagFim() >= pagIni())
        return true;
    m_checking = true;
    MsgErro(QStringLiteral("Intervalo inválido!!!"));
    m_pagFim->setText(m_pagIni->text());
    m_pagFim->setFocus();
    m_checking = false;
    return false;
}

void TFrmImprimir::confirma()
{
    // A first page typed after the last would otherwise print nothing at all.
    if (intervalo() == Faixa) {
        saiPagina(m_pagIni);
        saiPagina(m_pagFim);
        if (!confereFaixa())
            return;
    }
    accept();
}

void TFrmImprimir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_copias->setFocus();
}

bool TFrmImprimir::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !m_checking) {
        if (watched == m_pagIni)
            saiPagina(m_pagIni);
        else if (watched == m_pagFim) {
            saiPagina(m_pagFim);
            confereFaixa();
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Up:
        focusPreviousChild();
        return true;
    case Qt::Key_Down:
        focusNextChild();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == m_copias)
            m_ok->click();
        else if (watched == m_pagFim)
            m_copias->setFocus();
        else if (watched == m_ok || watched == m_cancelar)
            static_cast<QPushButton *>(watched)->click();
        else
            focusNextChild();
        return true;
    default:
        return false;
    }
}

} // namespace zx
