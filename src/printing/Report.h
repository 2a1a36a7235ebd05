#pragma once
// The banded report engine: a layout, the writer's run-time labels and data file,
// laid out on pages (page header, group headers and footers with their totals,
// detail, summary, page footer; "page x of y"; print date and time).
#include "printing/ReportData.h"
#include "printing/ReportDocument.h"
#include "printing/ReportLayout.h"

#include <QDateTime>
#include <QHash>

namespace zx {

class Report {
public:
    explicit Report(ReportLayout layout);

    const ReportLayout &layout() const { return m_layout; }

    // The file the pipeline reads (the writer points it at the file it wrote).
    void setDataFile(const QString &path) { m_dataFile = path; }
    QString dataFile() const { return m_dataFile; }
    // Records given directly instead of a file.
    void setRecords(const QList<ReportData::Record> &records);

    void setLabel(const QString &name, const QString &text) { m_labels.insert(name, text); }
    QString label(const QString &name) const;
    // Shows or hides every element of that name.
    void setVisible(const QString &name, bool visible) { m_visible.insert(name, visible); }
    // Back to the design texts and visibility, no data file.
    void reset();

    // Lays the report out; the print date and time come from the platform clock.
    ReportDocument build() const;

    // The preview window (maximised, 100 %), from which the user prints or saves a PDF.
    int preview() const;
    bool savePdf(const QString &path) const { return build().savePdf(path); }

    // "##0.,00": thousands points, two decimals.
    static QString formatAmount(const Money &value);

private:
    ReportLayout m_layout;
    QString m_dataFile;
    bool m_hasRecords = false;
    QList<ReportData::Record> m_records;
    QHash<QString, QString> m_labels;
    QHash<QString, bool> m_visible;
};

} // namespace zx
