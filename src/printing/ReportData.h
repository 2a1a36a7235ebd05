#pragma once
// The records a text pipeline reads from a report data file: "|"-separated fields by
// position, Windows-1252, numbers in the station's format (1.234,56).
#include "common/core/Money.h"
#include "printing/ReportLayout.h"

#include <QList>
#include <QString>

namespace zx {

struct ReportValue {
    QString text; // as read (cut to the field's length); numbers as written
    Money number; // number fields: the value read, 0 when unreadable
};

class ReportData {
public:
    using Record = QList<ReportValue>; // one value per pipeline field

    // Reads the file; blank lines are skipped, missing fields are empty. A missing
    // file gives no records (false, with errorString()).
    bool read(const ReportPipeline &pipeline, const QString &path);
    static Record parseLine(const ReportPipeline &pipeline, const QString &line);

    QList<Record> records;
    QString errorString;
};

} // namespace zx
