#include "printing/ReportPreview.h"

#include "common/Messages.h"
#include "platform/Platform.h"

#include <QAction>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace zx {

ReportPreview::ReportPreview(ReportDocument doc, QWidget *parent)
    : QPrintPreviewDialog(parent)
    , m_doc(std::move(doc))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_doc.name);
    // The dialog's own printer takes the paper of the layout.
    QPrinter *target = printer();
    target->setFullPage(true);
    target->setPageSize(QPageSize(
        m_doc.paperMm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch));
    target->setPageOrientation(m_doc.paperMm.width() > m_doc.paperMm.height()
            ? QPageLayout::Landscape
            : QPageLayout::Portrait);
    target->setDocName(m_doc.name);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        QPainter painter(p);
        for (int i = 0; i < m_doc.pageCount(); ++i) {
            if (i > 0)
                p->newPage();
            m_doc.paintPage(painter, i);
        }
    });
    if (auto *bar = findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(QStringLiteral("Salvar PDF"));
        pdf->setObjectName(QStringLiteral("ActSalvarPdf"));
        connect(pdf, &QAction::triggered, this, &ReportPreview::salvaPdf);
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    applyZoom();
}

void ReportPreview::applyZoom()
{
    if (auto *w = findChild<QPrintPreviewWidget *>()) {
        w->setZoomMode(QPrintPreviewWidget::CustomZoom);
        w->setZoomFactor(1.0);
    }
}

qreal ReportPreview::zoom() const
{
    const auto *w = findChild<QPrintPreviewWidget *>();
    return w ? w->zoomFactor() : 0;
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QPrintPreviewDialog::showEvent(event);
    applyZoom();
}

void ReportPreview::salvaPdf()
{
    const QString path = Platform::dialogs().saveFileName(QStringLiteral("Salvar como PDF"),
        Platform::paths().programFolder(), QStringLiteral("PDF (*.pdf)"),
        m_doc.name + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    if (!m_doc.savePdf(path))
        MsgErro(QStringLiteral("Não foi possível gravar o arquivo ") + path);
}

int ReportPreview::run(const ReportDocument &doc)
{
    ReportPreview preview(doc);
    return Platform::dialogs().runModal(preview);
}

} // namespace zx
