#include "printing/Report.h"

#include "platform/Platform.h"
#include "printing/ReportPreview.h"

#include <QFontMetricsF>
#include <QImage>

namespace zx {

namespace {

constexpr qreal kMeasureDpi = 300;

QFont toFont(const ReportFont &rf)
{
    QFont f(rf.family);
    f.setPointSizeF(rf.size);
    f.setBold(rf.bold);
    f.setItalic(rf.italic);
    f.setUnderline(rf.underline);
    return f;
}

// Height in millimetres that a wrapped text needs inside a width.
qreal wrappedHeightMm(const QString &text, const ReportFont &font, qreal widthMm)
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_Mono);
        img.setDotsPerMeterX(qRound(kMeasureDpi / 0.0254));
        img.setDotsPerMeterY(qRound(kMeasureDpi / 0.0254));
        return img;
    }();
    const QFontMetricsF fm(toFont(font), &device);
    const qreal dpmm = kMeasureDpi / 25.4;
    const QRectF r = fm.boundingRect(
        QRectF(0, 0, widthMm * dpmm, 1e7), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return r.height() / dpmm;
}

struct Scope {
    QHash<int, Money> sums;
    QHash<int, int> counts;
    void add(const ReportPipeline &p, const ReportData::Record &r)
    {
        for (int i = 0; i < r.size() && i < p.fields.size(); ++i) {
            if (p.fields.at(i).number)
                sums[i] += r.at(i).number;
            if (!r.at(i).text.trimmed().isEmpty())
                ++counts[i];
        }
    }
};

class Builder {
public:
    Builder(const ReportLayout &layout, const std::function<QString(const QString &)> &label,
        const std::function<bool(const ReportElement &)> &visible, const QDateTime &printed)
        : L(layout)
        , labelOf(label)
        , isVisible(visible)
        , m_printed(printed)
    {
        doc.name = L.name;
        doc.paperMm = L.paperMm;
        const ReportBand *footer = L.band(ReportBand::PageFooter);
        m_top = L.marginsMm.top();
        m_bottom = L.paperMm.height() - L.marginsMm.bottom() - (footer ? footer->height : 0);
        m_left = L.marginsMm.left();
        m_groupScopes.resize(L.groups.size());
        for (const QString &g : L.groups)
            m_groupFields.append(L.pipeline.indexOf(g));
    }

    ReportDocument run(const QList<ReportData::Record> &records)
    {
        newPage();
        const ReportData::Record *previous = nullptr;
        for (const ReportData::Record &r : records) {
            const int level = previous ? breakLevel(*previous, r) : 0;
            if (previous && level < m_groupFields.size())
                closeGroups(level, *previous);
            if (!previous || level < m_groupFields.size())
                openGroups(previous ? level : 0, r);
            m_all.add(L.pipeline, r);
            for (Scope &s : m_groupScopes)
                s.add(L.pipeline, r);
            if (const ReportBand *b = L.band(ReportBand::Detail))
                place(*b, &r, &m_all);
            previous = &r;
        }
        if (previous)
            closeGroups(0, *previous);
        if (const ReportBand *b = L.band(ReportBand::Summary))
            place(*b, previous, &m_all);
        finishPage();
        // "Page x of y" once the number of pages is known.
        for (const auto &[page, item, tmpl] : m_pageTexts)
            doc.pages[page].items[item].text
                = QString(tmpl)
                      .replace(QLatin1String("%1"), QString::number(page + 1))
                      .replace(QLatin1String("%2"), QString::number(doc.pageCount()));
        return doc;
    }

private:
    int breakLevel(const ReportData::Record &a, const ReportData::Record &b) const
    {
        for (int g = 0; g < m_groupFields.size(); ++g) {
            const int f = m_groupFields.at(g);
            const QString va = f >= 0 && f < a.size() ? a.at(f).text : QString();
            const QString vb = f >= 0 && f < b.size() ? b.at(f).text : QString();
            if (va != vb)
                return g;
        }
        return int(m_groupFields.size());
    }

    void openGroups(int from, const ReportData::Record &r)
    {
        for (int g = from; g < m_groupFields.size(); ++g) {
            m_groupScopes[g] = Scope();
            if (const ReportBand *b = L.band(ReportBand::GroupHeader, g))
                place(*b, &r, &m_groupScopes[g]);
        }
    }

    void closeGroups(int downTo, const ReportData::Record &last)
    {
        for (int g = int(m_groupFields.size()) - 1; g >= downTo; --g)
            if (const ReportBand *b = L.band(ReportBand::GroupFooter, g))
                place(*b, &last, &m_groupScopes[g]);
    }

    QString valueOf(const ReportElement &e, const ReportData::Record *r, const Scope *s) const
    {
        const int f = L.pipeline.indexOf(e.name);
        switch (e.kind) {
        case ReportElement::Text:
            return e.text;
        case ReportElement::Label:
            return labelOf(e.name).isNull() ? e.text : labelOf(e.name);
        case ReportElement::Field:
            if (!r || f < 0 || f >= r->size())
                return {};
            return L.pipeline.fields.at(f).number ? Report::formatAmount(r->at(f).number)
                                                  : r->at(f).text;
        case ReportElement::Total:
            return Report::formatAmount(s && f >= 0 ? s->sums.value(f) : Money());
        case ReportElement::Count:
            return QString::number(s && f >= 0 ? s->counts.value(f) : 0);
        case ReportElement::PrintDate:
            return m_printed.toString(
                e.text.isEmpty() ? QStringLiteral("dd/MM/yyyy hh:mm:ss") : e.text);
        case ReportElement::PageOfPages:
            return e.text;
        default:
            return {};
        }
    }

    void newPage()
    {
        doc.pages.append(ReportPage());
        m_y = m_top;
        m_bodyOnPage = false;
        if (const ReportBand *b = L.band(ReportBand::PageHeader))
            put(*b, nullptr, &m_all);
    }

    void finishPage()
    {
        if (const ReportBand *b = L.band(ReportBand::PageFooter)) {
            m_y = m_bottom;
            put(*b, nullptr, &m_all);
        }
    }

    // A body band: on the next page when it does not fit below what is there.
    void place(const ReportBand &b, const ReportData::Record *r, const Scope *s)
    {
        const qreal h = heightOf(b, r, s);
        if (m_y + h > m_bottom && m_bodyOnPage) {
            finishPage();
            newPage();
        }
        put(b, r, s);
        m_bodyOnPage = true;
    }

    qreal heightOf(const ReportBand &b, const ReportData::Record *r, const Scope *s) const
    {
        qreal h = b.height;
        for (const ReportElement &e : b.elements)
            if (e.stretch && e.wordWrap && isVisible(e))
                h = std::max(h,
                    e.rect.y() + wrappedHeightMm(valueOf(e, r, s), e.font, e.rect.width())
                        + (b.height - e.rect.bottom()));
        return h;
    }

    void put(const ReportBand &b, const ReportData::Record *r, const Scope *s)
    {
        const qreal h = heightOf(b, r, s);
        ReportPage &page = doc.pages.last();
        for (const ReportElement &e : b.elements) {
            if (!isVisible(e))
                continue;
            PlacedItem item;
            item.rect = e.rect.translated(m_left, m_y);
            item.font = e.font;
            item.align = e.align;
            item.wordWrap = e.wordWrap;
            item.source = e.name;
            if (e.kind == ReportElement::Line) {
                item.kind = PlacedItem::Line;
            } else if (e.kind == ReportElement::Box) {
                item.kind = PlacedItem::Box;
            } else {
                item.text = valueOf(e, r, s);
                if (e.stretch && e.wordWrap)
                    item.rect.setHeight(std::max(
                        e.rect.height(), wrappedHeightMm(item.text, e.font, e.rect.width())));
                if (e.kind == ReportElement::PageOfPages)
                    m_pageTexts.append(
                        { int(doc.pages.size()) - 1, int(page.items.size()), e.text });
            }
            page.items.append(item);
        }
        m_y += h;
    }

    const ReportLayout &L;
    std::function<QString(const QString &)> labelOf;
    std::function<bool(const ReportElement &)> isVisible;
    QDateTime m_printed;
    ReportDocument doc;
    qreal m_top = 0, m_bottom = 0, m_left = 0, m_y = 0;
    bool m_bodyOnPage = false;
    Scope m_all;
    QList<Scope> m_groupScopes;
    QList<int> m_groupFields;
    struct PageText {
        int page;
        int item;
        QString tmpl;
    };
    QList<PageText> m_pageTexts;
};

} // namespace

Report::Report(ReportLayout layout)
    : m_layout(std::move(layout))
{
}

void Report::setRecords(const QList<ReportData::Record> &records)
{
    m_records = records;
    m_hasRecords = true;
}

QString Report::label(const QString &name) const
{
    return m_labels.value(name);
}

void Report::reset()
{
    m_labels.clear();
    m_visible.clear();
    m_dataFile.clear();
    m_records.clear();
    m_hasRecords = false;
}

QString Report::formatAmount(const Money &value)
{
    return value.format(2, true);
}

ReportDocument Report::build() const
{
    QList<ReportData::Record> records;
    if (m_hasRecords) {
        records = m_records;
    } else if (m_layout.hasPipeline) {
        ReportData data;
        // A missing file is a report without rows: headers and zero totals.
        data.read(m_layout.pipeline, m_dataFile);
        records = data.records;
    } else {
        records.append(ReportData::Record()); // labels only: the detail prints once
    }
    Builder b(
        m_layout,
        [this](const QString &name) {
            const auto it = m_labels.constFind(name);
            return it == m_labels.constEnd() ? QString()
                                             : (it->isNull() ? QStringLiteral("") : *it);
        },
        [this](const ReportElement &e) {
            return e.name.isEmpty() ? e.visible : m_visible.value(e.name, e.visible);
        },
        Platform::clock().now());
    return b.run(records);
}

int Report::preview() const
{
    return ReportPreview::run(build());
}

} // namespace zx
