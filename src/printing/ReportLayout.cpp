#include "printing/ReportLayout.h"

namespace zx {

int ReportPipeline::indexOf(const QString &field) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const ReportBand *ReportLayout::band(ReportBand::Kind kind, int group) const
{
    for (const ReportBand &b : bands) {
        const bool grouped = kind == ReportBand::GroupHeader || kind == ReportBand::GroupFooter;
        if (b.kind == kind && (!grouped || b.group == group))
            return &b;
    }
    return nullptr;
}

} // namespace zx
