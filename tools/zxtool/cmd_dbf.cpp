// zxtool dbf dump FILE: header, columns and rows of a dBase III/IV file.
#include "Command.h"

#include "localstore/DbfTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString hex2(int v)
{
    return QStringLiteral("0x%1").arg(v, 2, 16, QLatin1Char('0'));
}

QString languageName(int ldid)
{
    switch (ldid) {
    case 0x00:
        return QStringLiteral("not set");
    case 0x01:
        return QStringLiteral("DOS USA, code page 437");
    case 0x02:
        return QStringLiteral("DOS Multilingual, code page 850");
    case 0x03:
        return QStringLiteral("Windows ANSI, code page 1252");
    case 0x57:
        return QStringLiteral("ANSI, code page 1252");
    default:
        return QStringLiteral("other");
    }
}

int runDbf(const QStringList &args, zxtool::Io &io)
{
    if (args.size() != 2 || args.at(0) != QLatin1String("dump")) {
        io.err << "usage: zxtool dbf dump FILE\n";
        return 2;
    }
    const QFileInfo info(args.at(1));
    zx::DbfTable t(info.absolutePath(), info.fileName());
    t.setShowDeleted(true);
    if (!t.open(zx::DbfTable::OpenMode::ReadOnly)) {
        io.err << "dbf: " << t.lastError() << "\n";
        return 1;
    }
    const zx::DbfHeader &h = t.header();
    io.out << "File:          " << QDir::toNativeSeparators(t.path()) << "\n"
           << "Version:       " << hex2(h.version)
           << (h.version == zx::DbfHeader::kVersionDbase4 ? " (dBase III/IV, no memo)" : "") << "\n"
           << "Last update:   "
           << (h.lastUpdate.isValid() ? h.lastUpdate.toString(QStringLiteral("dd/MM/yyyy"))
                                      : QStringLiteral("(none)"))
           << "\n"
           << "Records:       " << t.physicalCount() << "\n"
           << "Header length: " << h.headerLength << "\n"
           << "Record length: " << h.recordLength << "\n"
           << "Language:      " << hex2(h.languageDriver) << " (" << languageName(h.languageDriver)
           << ")\n";
    if (!t.warning().isEmpty())
        io.out << "WARNING:       " << t.warning() << "\n";

    io.out << "Fields:        " << h.fields.size() << "\n";
    io.out << "  #   Name        Type  Len  Dec\n";
    int n = 0;
    for (const zx::DbfField &f : h.fields)
        io.out << "  " << QString::number(++n).leftJustified(3) << " " << f.name.leftJustified(11)
               << " " << QString(QLatin1Char(f.type)).leftJustified(5)
               << QString::number(f.length).rightJustified(4) << " "
               << QString::number(f.decimals).rightJustified(4) << "\n";

    io.out << "Rows:\n";
    const QStringList names = t.fieldNames();
    io.out << "  rec  | " << names.join(QStringLiteral(" | ")) << "\n";
    for (t.first(); !t.eof(); t.next()) {
        QStringList values;
        for (const QString &name : names)
            values << t.asString(name);
        io.out << "  " << QString::number(t.recNo()).leftJustified(4)
               << (t.isDeleted() ? QStringLiteral("*") : QStringLiteral(" ")) << "| "
               << values.join(QStringLiteral(" | ")) << "\n";
    }
    return 0;
}

zxtool::Registrar reg({ QStringLiteral("dbf"), QStringLiteral("dbf dump FILE"),
    QStringLiteral("show header, fields and rows of a dBase III/IV file "
                   "(* marks deleted rows)"),
    runDbf });

} // namespace
