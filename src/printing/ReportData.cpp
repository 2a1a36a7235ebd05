#include "printing/ReportData.h"

#include "common/core/Cp1252.h"

#include <QFile>

namespace zx {

ReportData::Record ReportData::parseLine(const ReportPipeline &pipeline, const QString &line)
{
    const QStringList parts = line.split(pipeline.delimiter);
    Record r;
    r.reserve(pipeline.fields.size());
    for (int i = 0; i < pipeline.fields.size(); ++i) {
        const ReportField &f = pipeline.fields.at(i);
        ReportValue v;
        v.text = i < parts.size() ? parts.at(i) : QString();
        if (f.number)
            v.number = Money::parse(v.text).value_or(Money());
        else if (f.maxLength > 0)
            v.text.truncate(f.maxLength);
        r.append(v);
    }
    return r;
}

bool ReportData::read(const ReportPipeline &pipeline, const QString &path)
{
    records.clear();
    errorString.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errorString = file.errorString();
        return false;
    }
    const QByteArray all = file.readAll();
    for (QByteArray line : all.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        records.append(parseLine(pipeline, cp1252::decode(line)));
    }
    return true;
}

} // namespace zx
