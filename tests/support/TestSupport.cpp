#include "TestSupport.h"

#include <QDir>

namespace zxtest {

QString focusReport()
{
    const QWidget *f = QApplication::focusWidget();
    const QWidget *m = QApplication::activeModalWidget();
    return QStringLiteral("focus: %1, modal: %2")
        .arg(f ? f->objectName() + QLatin1Char('(') + QLatin1String(f->metaObject()->className())
                     + QLatin1Char(')')
               : QStringLiteral("none"),
             m ? m->objectName() + QLatin1Char('(') + QLatin1String(m->metaObject()->className())
                     + QLatin1Char(')')
               : QStringLiteral("none"));
}

QString sourcePath(const QString &relative)
{
#ifdef ZX_SOURCE_DIR
    return QDir(QStringLiteral(ZX_SOURCE_DIR "/tests")).filePath(relative);
#else
    return relative;
#endif
}

bool updateGolden() { return qEnvironmentVariable("ZX_UPDATE_GOLDEN") == QLatin1String("1"); }

} // namespace zxtest
