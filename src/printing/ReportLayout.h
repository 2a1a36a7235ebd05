#pragma once
// A banded report layout described as data: paper, the text pipeline that feeds it,
// groups, and bands of elements placed in millimetres. The engine (Report) reads the
// pipeline and lays the bands out on pages.
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace zx {

struct ReportFont {
    qreal size = 9; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString family = QStringLiteral("Arial");
};

struct ReportElement {
    enum Kind {
        Text, // fixed text
        Field, // a field of the current record ("##0.,00" for numbers)
        Label, // run-time label: text set by the writer, else the design text
        Total, // sum of a number field over the band's scope ("##0.,00")
        Count, // records with a non-empty field over the band's scope
        PageOfPages, // text with %1 = page, %2 = pages ("Página %1 de %2")
        PrintDate, // print date/time from the clock; text holds the format
        Line, // a line across the rectangle's top edge
        Box // a frame around the rectangle
    };
    Kind kind = Text;
    QString name; // field or label name; a named element can be hidden at run time
    QString text; // fixed text, design text of a label, or format
    QRectF rect; // millimetres, relative to the band's top-left corner
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false; // several lines inside the rectangle
    bool stretch = false; // the band grows to show all wrapped lines
    bool visible = true;
};

struct ReportBand {
    enum Kind { PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };
    Kind kind = Detail;
    qreal height = 10; // millimetres
    int group = 0; // which group a group header or footer belongs to
    QList<ReportElement> elements;
};

struct ReportField {
    QString name;
    bool number = false; // read in the station's number format (1.234,56)
    int maxLength = 0; // 0: no limit
};

struct ReportPipeline {
    QString name; // TxtRelVenda, TxtGrafMatric, ...
    QList<ReportField> fields; // in position order
    QChar delimiter = QLatin1Char('|');
    int indexOf(const QString &field) const;
};

struct ReportLayout {
    QString name; // rptAutoriz, RptRelVenda, ...
    QSizeF paperMm = QSizeF(210, 297); // A4 portrait
    QMarginsF marginsMm = QMarginsF(6.35, 6.35, 6.35, 6.35);
    bool hasPipeline = false; // without one, the detail prints once
    ReportPipeline pipeline;
    QStringList groups; // group fields, outermost first
    QList<ReportBand> bands;

    const ReportBand *band(ReportBand::Kind kind, int group = 0) const;
};

} // namespace zx
