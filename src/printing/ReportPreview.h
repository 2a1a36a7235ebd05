#pragma once
// The print preview of a banded report: maximised, at 100 %, with the printer choice
// of the print button and a "Salvar PDF" action.
#include "printing/ReportDocument.h"

#include <QPrintPreviewDialog>

namespace zx {

class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit ReportPreview(ReportDocument doc, QWidget *parent = nullptr);

    const ReportDocument &document() const { return m_doc; }
    qreal zoom() const;
    // Asks for a file name and writes the report there as PDF.
    void salvaPdf();

    // Shows the preview modally through the platform's dialogs.
    static int run(const ReportDocument &doc);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyZoom();
    ReportDocument m_doc;
};

} // namespace zx
