#pragma once
// A laid-out banded report: pages of placed texts and lines in millimetres, ready to
// paint on a printer, a PDF file or the print preview.
#include "printing/ReportLayout.h"

#include <QList>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace zx {

struct PlacedItem {
    enum Kind { Text, Line, Box };
    Kind kind = Text;
    QRectF rect; // millimetres from the paper's top-left corner
    QString text;
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    QString source; // element name (field, label) or empty
};

struct ReportPage {
    QList<PlacedItem> items;
};

class ReportDocument {
public:
    QString name;
    QSizeF paperMm;
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // The texts of a page in the order they were placed.
    QStringList texts(int page) const;
    QStringList allTexts() const;
    // The text placed for a named element on a page (first occurrence), null when none.
    QString textOf(const QString &source, int page = 0) const;

    // Paints one page; the painter's device gives the resolution.
    void paintPage(QPainter &painter, int page) const;
    // Sets paper and full-page mode on the printer and paints every page.
    bool print(QPrinter &printer) const;
    bool savePdf(const QString &path) const;

private:
    bool paintAll(QPagedPaintDevice &device) const;
};

} // namespace zx
