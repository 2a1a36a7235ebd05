#include "printing/TFrmPreviewDOS.h"

#include "common/Messages.h"
#include "common/core/Cp1252.h"
#include "config/StationSettings.h"
#include "platform/Platform.h"
#include "printing/PrintOptionGroup.h"
#include "printing/TFrmImprimir.h"
#include "printing/TextFormat.h"
#include "printing/TextPrintJob.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zx {

namespace {

constexpr int kEmptyRowHeight = 20;
constexpr int kFrozenRowHeight = 20;
constexpr int kTextIndent = 3;
constexpr int kPaperHoles = 17;
const QString kFooter = QStringLiteral(
    "F7 CALCULADORA   F3 LOCALIZAR   Ctrl+P ou ENTER IMPRIMIR   + CONGELA LINHA   - "
    "DESCONGELA LINHA ");

QFont courier(int pointSize)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSize(pointSize);
    return f;
}

// On screen only the first segment's pitch and style count.
QFont lineFont(const QString &fmt)
{
    const QList<FormatSegment> segs = textformat::parse(fmt);
    const FormatSegment s = segs.isEmpty() ? FormatSegment { 1, 1, 10, 0 } : segs.first();
    const ScreenPitch sp = textformat::screenPitch(s.pitch);
    QFont f = courier(sp.pointSize);
    f.setBold(sp.bold || (s.style & textformat::kEmphasised));
    f.setItalic(s.style & textformat::kItalic);
    f.setUnderline(s.style & textformat::kUnderlined);
    return f;
}

int lineHeight(const QString &text, const QString &fmt)
{
    if (text.trimmed().isEmpty())
        return kEmptyRowHeight;
    const QList<FormatSegment> segs = textformat::parse(fmt);
    return textformat::screenPitch(segs.isEmpty() ? 10 : segs.first().pitch).rowHeight;
}

class LineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &opt, const QModelIndex &idx) const override
    {
        const bool selected = opt.state & QStyle::State_Selected;
        const QColor back = selected ? opt.palette.highlight().color() : opt.palette.base().color();
        p->fillRect(opt.rect, back);
        const QString text = idx.data().toString();
        if (text.trimmed().isEmpty())
            return;
        const QString fmt = idx.siblingAtColumn(1).data().toString();
        p->save();
        p->setFont(lineFont(fmt));
        // Page markers stay in the grid but cannot be seen.
        p->setPen(TextDocument::isPageMarker(text)
                ? back
                : (selected ? opt.palette.highlightedText().color() : opt.palette.text().color()));
        p->drawText(
            opt.rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        p->restore();
    }
};

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TFrmPreviewDOS::TFrmPreviewDOS(
    int copias, bool avancoFinal, bool mostrar, int limiteLinhas, QWidget *owner)
    : QDialog(owner)
    , m_copias(copias)
    , m_avancoFinal(avancoFinal)
    , m_mostrar(mostrar)
    , m_limiteLinhas(limiteLinhas)
{
    setObjectName(QStringLiteral("FrmPreviewDOS"));
    setWindowTitle(QStringLiteral("Visualização de Relatório (Impressão em Matricial)"));

    m_lista = new QTableWidget(0, 2, this);
    m_lista->setObjectName(QStringLiteral("Lista"));
    m_lista->horizontalHeader()->hide();
    m_lista->verticalHeader()->hide();
    m_lista->verticalHeader()->setMinimumSectionSize(1); // 17 cpi rows are 12 pixels
    m_lista->verticalHeader()->setDefaultSectionSize(kEmptyRowHeight);
    m_lista->setColumnHidden(1, true);
    m_lista->setShowGrid(false);
    m_lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lista->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lista->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lista->setTabKeyNavigation(false);
    m_lista->setItemDelegate(new LineDelegate(m_lista));
    m_lista->installEventFilter(this);
    // Frozen lines may take the paper down to a sliver of list.
    m_lista->setMinimumHeight(1);

    m_congela = new QTableWidget(0, 1, this);
    m_congela->setObjectName(QStringLiteral("ListaCongela"));
    m_congela->horizontalHeader()->hide();
    m_congela->verticalHeader()->hide();
    m_congela->verticalHeader()->setMinimumSectionSize(1);
    m_congela->verticalHeader()->setDefaultSectionSize(kFrozenRowHeight);
    m_congela->setShowGrid(false);
    m_congela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_congela->setFocusPolicy(Qt::NoFocus);
    m_congela->setSelectionMode(QAbstractItemView::NoSelection);
    m_congela->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_congela->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_congela->setFont(courier(9));
    m_congela->setStyleSheet(QStringLiteral("QTableWidget { background: blue; color: white; }"));
    m_congela->setVisible(false);

    m_pagina = new QLineEdit(this);
    m_pagina->setObjectName(QStringLiteral("EdtPagina"));
    m_pagina->setMaximumWidth(60);
    m_pagina->installEventFilter(this);

    m_loca = new QLineEdit(this);
    m_loca->setObjectName(QStringLiteral("EdtLoca"));
    m_loca->installEventFilter(this);
    connect(m_loca, &QLineEdit::textEdited, this,
        [this](const QString &t) { m_loca->setText(t.toUpper()); });

    m_acima = new PrintOptionGroup(QStringLiteral("RgAcima"), QString(),
        { QStringLiteral("Acima"), QStringLiteral("Abaixo") }, Qt::Horizontal, this);
    m_acima->setItemIndex(1);
    for (int i = 0; i < m_acima->count(); ++i)
        m_acima->button(i)->setFocusPolicy(Qt::NoFocus);

    m_primeira = button(QStringLiteral("BtnPrimeira"), QStringLiteral("|<"), this);
    m_anterior = button(QStringLiteral("BtnAnterior"), QStringLiteral("<"), this);
    m_proxima = button(QStringLiteral("BtnProxima"), QStringLiteral(">"), this);
    m_ultima = button(QStringLiteral("BtnUltima"), QStringLiteral(">|"), this);
    m_localizar = button(QStringLiteral("BtnLocalizar"), QStringLiteral("&Localizar"), this);
    m_imprimir = button(QStringLiteral("BtnImprimir"), QStringLiteral("&Imprimir"), this);
    auto *fechar = button(QStringLiteral("BtnFechar"), QStringLiteral("&Fechar"), this);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar"));
    m_status->setSizeGripEnabled(false);
    m_rodape = new QLabel(kFooter, this);
    m_rodape->setObjectName(QStringLiteral("LblRodape"));

    auto *toolbar = new QHBoxLayout;
    toolbar->addWidget(m_primeira);
    toolbar->addWidget(m_anterior);
    toolbar->addWidget(m_pagina);
    toolbar->addWidget(m_proxima);
    toolbar->addWidget(m_ultima);
    toolbar->addSpacing(16);
    toolbar->addWidget(m_loca, 1);
    toolbar->addWidget(m_acima);
    toolbar->addWidget(m_localizar);
    toolbar->addSpacing(16);
    toolbar->addWidget(m_imprimir);
    toolbar->addWidget(fechar);

    // The paper: frozen lines above the list, the holes of continuous paper beside it.
    auto *sheet = new QVBoxLayout;
    sheet->setSpacing(8);
    sheet->addWidget(m_congela);
    sheet->addWidget(m_lista, 1);
    auto *paper = new QHBoxLayout;
    paper->addWidget(criaFuros(QStringLiteral("PnlFurosEsq")));
    paper->addLayout(sheet, 1);
    paper->addWidget(criaFuros(QStringLiteral("PnlFurosDir")));

    auto *main = new QVBoxLayout(this);
    main->addLayout(toolbar);
    main->addLayout(paper, 1);
    main->addWidget(m_rodape);
    main->addWidget(m_status);

    connect(m_primeira, &QPushButton::clicked, this, &TFrmPreviewDOS::primeiraPagina);
    connect(m_anterior, &QPushButton::clicked, this, &TFrmPreviewDOS::paginaAnterior);
    connect(m_proxima, &QPushButton::clicked, this, &TFrmPreviewDOS::proximaPagina);
    connect(m_ultima, &QPushButton::clicked, this, &TFrmPreviewDOS::ultimaPagina);
    connect(m_localizar, &QPushButton::clicked, this, &TFrmPreviewDOS::BtnLocalizarClick);
    connect(m_imprimir, &QPushButton::clicked, this, &TFrmPreviewDOS::BtnImprimirClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lista, &QTableWidget::currentCellChanged, this, &TFrmPreviewDOS::atualizaStatus);
    connect(m_lista, &QTableWidget::cellClicked, this, &TFrmPreviewDOS::atualizaStatus);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), &TFrmPreviewDOS::BtnImprimirClick);
    shortcut(QKeySequence(Qt::Key_F3), &TFrmPreviewDOS::BtnLocalizarClick);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TFrmPreviewDOS::salvaRelatorioCsv);

    resize(1000, 700);
    atualizaStatus();
}

QWidget *TFrmPreviewDOS::criaFuros(const QString &name)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(name);
    auto *col = new QVBoxLayout(panel);
    col->setContentsMargins(2, 0, 2, 0);
    for (int i = 0; i < kPaperHoles; ++i) {
        auto *hole = new QRadioButton(panel);
        hole->setAutoExclusive(false);
        hole->setFocusPolicy(Qt::NoFocus);
        // Holes of the paper: they only give the focus back to the lines.
        connect(hole, &QRadioButton::clicked, this, [this, hole] {
            hole->setChecked(false);
            m_lista->setFocus();
        });
        col->addWidget(hole);
    }
    return panel;
}

QString TFrmPreviewDOS::AlinhCampo(const QString &text, int alignment, int width)
{
    return TextDocument::alinhCampo(text, alignment, width);
}

void TFrmPreviewDOS::adicionaLinha(const QString &texto, const QString &formato)
{
    const int row = m_lista->rowCount();
    m_lista->insertRow(row);
    m_lista->setItem(row, 0, new QTableWidgetItem(texto));
    m_lista->setItem(row, 1, new QTableWidgetItem(formato));
    ajustaLinha(row);
    if (row == 0)
        m_lista->setCurrentCell(0, 0);
    atualizaStatus();
}

void TFrmPreviewDOS::ajustaLinha(int row)
{
    const QTableWidgetItem *t = m_lista->item(row, 0);
    const QTableWidgetItem *f = m_lista->item(row, 1);
    m_lista->setRowHeight(row, lineHeight(t ? t->text() : QString(), f ? f->text() : QString()));
}

void TFrmPreviewDOS::setDocumento(const TextDocument &doc)
{
    limpa();
    m_lista->setUpdatesEnabled(false);
    m_lista->setRowCount(int(doc.size()));
    for (int r = 0; r < doc.size(); ++r) {
        m_lista->setItem(r, 0, new QTableWidgetItem(doc.lines.at(r).text));
        m_lista->setItem(r, 1, new QTableWidgetItem(doc.lines.at(r).format));
        ajustaLinha(r);
    }
    m_lista->setUpdatesEnabled(true);
    if (doc.size() > 0)
        m_lista->setCurrentCell(0, 0);
    atualizaStatus();
}

TextDocument TFrmPreviewDOS::documento() const
{
    TextDocument doc;
    doc.lines.reserve(m_lista->rowCount());
    for (int r = 0; r < m_lista->rowCount(); ++r) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        const QTableWidgetItem *f = m_lista->item(r, 1);
        doc.append(t ? t->text() : QString(), f ? f->text() : QString());
    }
    return doc;
}

void TFrmPreviewDOS::limpa()
{
    m_lista->setRowCount(0);
    atualizaStatus();
}

int TFrmPreviewDOS::totalPaginas() const
{
    // Pages exist only when the first row is a marker.
    const QTableWidgetItem *first = m_lista->item(0, 0);
    if (!first || !TextDocument::isPageMarker(first->text()))
        return 1;
    int total = 1;
    for (int r = 0; r < m_lista->rowCount(); ++r) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        if (t && TextDocument::isPageMarker(t->text()))
            total = std::max(total, TextDocument::markerPage(t->text()));
    }
    return total;
}

int TFrmPreviewDOS::linhaAtual() const
{
    return m_lista->currentRow();
}

int TFrmPreviewDOS::paginaAtual() const
{
    for (int r = m_lista->currentRow(); r >= 0; --r) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        if (t && TextDocument::isPageMarker(t->text()))
            return TextDocument::markerPage(t->text());
    }
    return 1;
}

int TFrmPreviewDOS::linhasCongeladas() const
{
    return m_congela->isVisible() || m_congela->rowCount() > 0 ? m_congela->rowCount() : 0;
}

void TFrmPreviewDOS::atualizaStatus()
{
    const int atual = paginaAtual();
    const int total = totalPaginas();
    m_status->showMessage(QStringLiteral("Página %1 de %2").arg(atual).arg(total));
    m_pagina->setText(QStringLiteral("%1").arg(atual, 3, 10, QLatin1Char('0')));
    m_primeira->setEnabled(atual > 1);
    m_anterior->setEnabled(atual > 1);
    m_proxima->setEnabled(atual < total);
    m_ultima->setEnabled(atual < total);
}

bool TFrmPreviewDOS::localiza(const QString &texto, bool abaixo)
{
    const int from = m_lista->currentRow();
    const int step = abaixo ? 1 : -1;
    for (int r = from + step; r >= 0 && r < m_lista->rowCount(); r += step) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        if (t && t->text().contains(texto)) {
            m_lista->setCurrentCell(r, 0);
            m_lista->scrollToItem(m_lista->item(r, 0), QAbstractItemView::PositionAtTop);
            atualizaStatus();
            if (isVisible())
                m_lista->setFocus();
            return true;
        }
    }
    if (isVisible())
        m_lista->setFocus();
    return false;
}

void TFrmPreviewDOS::vaiParaPagina(int pagina, bool abaixo)
{
    localiza(TextDocument::markerText(pagina), abaixo);
}

void TFrmPreviewDOS::primeiraPagina()
{
    vaiParaPagina(1, false);
}
void TFrmPreviewDOS::paginaAnterior()
{
    vaiParaPagina(paginaAtual() - 1, false);
}
void TFrmPreviewDOS::proximaPagina()
{
    vaiParaPagina(paginaAtual() + 1, true);
}
void TFrmPreviewDOS::ultimaPagina()
{
    vaiParaPagina(totalPaginas(), true);
}

void TFrmPreviewDOS::EdtPaginaExit()
{
    bool ok = false;
    int pagina = m_pagina->text().trimmed().toInt(&ok);
    if (!ok || pagina <= 0)
        pagina = 1;
    const int atual = paginaAtual();
    if (pagina > totalPaginas())
        ultimaPagina();
    else if (pagina != atual)
        vaiParaPagina(pagina, pagina > atual);
    atualizaStatus();
}

void TFrmPreviewDOS::BtnLocalizarClick()
{
    if (m_loca->text().isEmpty()) {
        MsgAtencao(QStringLiteral("Digite uma palavra(ou parte) para localizá-la"));
        return;
    }
    localiza(m_loca->text(), m_acima->itemIndex() == 1);
}

void TFrmPreviewDOS::congelaLinha()
{
    const int row = m_lista->currentRow();
    if (row < 0)
        return;
    if (!(3 * kFrozenRowHeight < m_lista->height()))
        return;
    const QTableWidgetItem *t = m_lista->item(row, 0);
    const int at = m_congela->rowCount();
    m_congela->insertRow(at);
    m_congela->setItem(at, 0, new QTableWidgetItem(t ? t->text() : QString()));
    m_congela->setRowHeight(at, kFrozenRowHeight);
    posicionaCongela();
}

void TFrmPreviewDOS::descongelaLinha()
{
    if (m_congela->rowCount() == 0)
        return;
    m_congela->removeRow(m_congela->rowCount() - 1);
    posicionaCongela();
}

void TFrmPreviewDOS::posicionaCongela()
{
    const int rows = m_congela->rowCount();
    m_congela->setVisible(rows > 0);
    m_congela->setFixedHeight(rows * kFrozenRowHeight + 2 * m_congela->frameWidth());
    m_congela->setColumnWidth(0, m_lista->columnWidth(0));
    // The list moves below the frozen lines and is shortened by their height.
    if (layout())
        layout()->activate();
}

void TFrmPreviewDOS::salvaRelatorioCsv()
{
    QSaveFile file(Platform::paths().inProgram(QStringLiteral("Relatorio.csv")));
    if (!file.open(QIODevice::WriteOnly)) {
        MsgErro(QStringLiteral("Erro ao gravar ") + file.fileName() + QStringLiteral(": ")
            + file.errorString());
        return;
    }
    for (int r = 0; r < m_lista->rowCount(); ++r) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        file.write(cp1252::encode(t ? t->text() : QString()) + "\r\n");
    }
    if (!file.commit())
        MsgErro(QStringLiteral("Erro ao gravar ") + file.fileName() + QStringLiteral(": ")
            + file.errorString());
}

int TFrmPreviewDOS::exibe()
{
    if (m_mostrar)
        return Platform::dialogs().runModal(*this);
    BtnImprimirClick();
    return m_impresso ? QDialog::Accepted : QDialog::Rejected;
}

void TFrmPreviewDOS::BtnImprimirClick()
{
    if (m_imprimindo)
        return;
    if (!m_mostrar)
        hide();
    m_copias = 1;
    const int atual = paginaAtual();
    TFrmImprimir dlg(this, m_mostrar);
    dlg.setPaginas(atual, atual);
    dlg.setCopias(1);
    dlg.setPorta(StationSettings().portaGravandoPadrao());
    // Unseen, the dialog confirms itself with what it was given.
    const int result = m_mostrar ? Platform::dialogs().runModal(dlg) : int(QDialog::Accepted);
    m_impresso = false;
    if (result == QDialog::Accepted) {
        m_impresso = true;
        for (int c = 0; c < dlg.copias(); ++c) {
            bool ok = true;
            switch (dlg.intervalo()) {
            case TFrmImprimir::Todas:
                ok = imprimeFaixa(1, totalPaginas(), dlg.porta());
                break;
            case TFrmImprimir::PaginaAtual:
                ok = imprimeFaixa(atual, atual, dlg.porta());
                break;
            case TFrmImprimir::Faixa:
                ok = imprimeFaixa(dlg.pagIni(), dlg.pagFim(), dlg.porta());
                break;
            }
            // One message for a failed port, not one per copy.
            if (!ok) {
                m_impresso = false;
                break;
            }
        }
    }
    if (!m_mostrar && isVisible())
        done(QDialog::Accepted);
}

bool TFrmPreviewDOS::imprimeFaixa(int inicio, int fim, const QString &porta)
{
    m_imprimindo = true;
    m_imprimir->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QLabel aguarde(QStringLiteral("AGUARDE!!! CARREGANDO O RELATÓRIO..."), this,
        Qt::Tool | Qt::FramelessWindowHint);
    aguarde.setObjectName(QStringLiteral("LblAguarde"));
    aguarde.setAlignment(Qt::AlignCenter);
    aguarde.setMargin(16);
    aguarde.setFrameStyle(QFrame::Box);
    aguarde.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const TextDocument doc = documento();
    const auto [start, end] = EscpWriter::clampRange(doc, inicio, fim);
    const int row = m_lista->currentRow();
    const QTableWidgetItem *cur = row >= 0 ? m_lista->item(row, 0) : nullptr;
    if (doc.isPaged() && !(cur && TextDocument::isPageMarker(cur->text())))
        vaiParaPagina(start, false);

    const TextPrintJob::Result result
        = TextPrintJob::print(doc, start, end, porta, { m_limiteLinhas, m_avancoFinal },
            [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });

    aguarde.hide();
    QApplication::restoreOverrideCursor();
    TextPrintJob::report(result);
    m_imprimir->setEnabled(true);
    m_imprimindo = false;
    return result == TextPrintJob::Result::Printed;
}

void TFrmPreviewDOS::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().topLeft());
    // Column 0 takes the whole paper (wider when a line needs it, for side scrolling).
    int width = m_lista->viewport()->width();
    for (int r = 0; r < m_lista->rowCount(); ++r) {
        const QTableWidgetItem *t = m_lista->item(r, 0);
        const QTableWidgetItem *f = m_lista->item(r, 1);
        if (t && !t->text().trimmed().isEmpty())
            width = std::max(width,
                QFontMetrics(lineFont(f ? f->text() : QString())).horizontalAdvance(t->text())
                    + 2 * kTextIndent);
    }
    m_lista->setColumnWidth(0, width);
    m_congela->setColumnWidth(0, width);
    atualizaStatus();
    m_lista->setFocus();
}

bool TFrmPreviewDOS::teclaNaLista(QKeyEvent *key)
{
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        QScrollBar *bar = m_lista->horizontalScrollBar();
        bar->setValue(bar->value() + (key->key() == Qt::Key_Left ? -20 : 20));
        return true;
    }
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_PageUp:
        m_loca->clear();
        if (paginaAtual() <= 1)
            m_lista->setCurrentCell(0, 0);
        else
            paginaAnterior();
        return true;
    case Qt::Key_PageDown:
        m_loca->clear();
        if (paginaAtual() >= totalPaginas())
            m_lista->setCurrentCell(m_lista->rowCount() - 1, 0);
        else
            proximaPagina();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_loca->clear();
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BtnImprimirClick();
        return true;
    case Qt::Key_Backspace:
        m_loca->setText(m_loca->text().chopped(m_loca->text().isEmpty() ? 0 : 1));
        return true;
    default:
        break;
    }
    if (!plain || key->text().isEmpty() || !key->text().at(0).isPrint())
        return false;
    if (key->text() == QLatin1String("+")) {
        congelaLinha();
        return true;
    }
    if (key->text() == QLatin1String("-")) {
        descongelaLinha();
        return true;
    }
    m_loca->setText(m_loca->text() + key->text().toUpper());
    return true;
}

bool TFrmPreviewDOS::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lista && event->type() == QEvent::KeyPress)
        return teclaNaLista(static_cast<QKeyEvent *>(event));
    if (watched == m_loca) {
        if (event->type() == QEvent::MouseButtonPress) {
            // The search box fills from the lines; the cursor has no business there.
            m_lista->setFocus();
            MsgAtencao(QStringLiteral("Não há necessidade do cursor nesse campo,\rapenas digite a "
                                      "palavra(ou parte)"));
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_localizar->click();
                return true;
            }
        }
    }
    if (watched == m_pagina) {
        if (event->type() == QEvent::FocusOut) {
            EdtPaginaExit();
        } else if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_lista->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zx
