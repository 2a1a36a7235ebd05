#include "printing/ReportDocument.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace zx {

QStringList ReportDocument::texts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pages.size())
        return out;
    for (const PlacedItem &i : pages.at(page).items)
        if (i.kind == PlacedItem::Text)
            out.append(i.text);
    return out;
}

QStringList ReportDocument::allTexts() const
{
    QStringList out;
    for (int p = 0; p < pages.size(); ++p)
        out += texts(p);
    return out;
}

QString ReportDocument::textOf(const QString &source, int page) const
{
    if (page < 0 || page >= pages.size())
        return {};
    for (const PlacedItem &i : pages.at(page).items)
        if (i.kind == PlacedItem::Text && i.source == source)
            return i.text.isNull() ? QStringLiteral("") : i.text;
    return {};
}

void ReportDocument::paintPage(QPainter &painter, int page) const
{
    if (page < 0 || page >= pages.size())
        return;
    const qreal dpmmX = painter.device()->logicalDpiX() / 25.4;
    const qreal dpmmY = painter.device()->logicalDpiY() / 25.4;
    auto px = [&](const QRectF &mm) {
        return QRectF(mm.x() * dpmmX, mm.y() * dpmmY, mm.width() * dpmmX, mm.height() * dpmmY);
    };
    painter.save();
    for (const PlacedItem &i : pages.at(page).items) {
        const QRectF r = px(i.rect);
        switch (i.kind) {
        case PlacedItem::Line:
            painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * dpmmY)));
            painter.drawLine(r.topLeft(), r.topRight());
            break;
        case PlacedItem::Box:
            painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * dpmmY)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
            break;
        case PlacedItem::Text: {
            QFont f(i.font.family);
            f.setPointSizeF(i.font.size);
            f.setBold(i.font.bold);
            f.setItalic(i.font.italic);
            f.setUnderline(i.font.underline);
            painter.setFont(f);
            painter.setPen(Qt::black);
            painter.drawText(r, int(i.align) | (i.wordWrap ? Qt::TextWordWrap : 0), i.text);
            break;
        }
        }
    }
    painter.restore();
}

bool ReportDocument::paintAll(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage())
            return false;
        paintPage(painter, p);
    }
    return painter.end();
}

bool ReportDocument::print(QPrinter &printer) const
{
    printer.setFullPage(true);
    printer.setPageSize(
        QPageSize(paperMm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch));
    printer.setPageOrientation(
        paperMm.width() > paperMm.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(name);
    return paintAll(printer);
}

bool ReportDocument::savePdf(const QString &path) const
{
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(
            QPageSize(paperMm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch));
        pdf.setPageOrientation(
            paperMm.width() > paperMm.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(name);
        pdf.setCreator(QStringLiteral("Zentrix"));
        if (!paintAll(pdf))
            return false;
    }
    QFile f(path);
    return f.exists() && f.size() > 0;
}

} // namespace zx
