#include "printing/PrinterPortSetting.h"

#include "config/IniFile.h"
#include "platform/Platform.h"

namespace zx {

QString PrinterPortSetting::read()
{
    IniFile kv(IniFile::findIgnoringCase(Platform::paths().inRoot(QStringLiteral("kv.ini"))));
    const QString section = QStringLiteral("SISTEMA");
    const QString key = QStringLiteral("PORTA");
    QString port = kv.readString(section, key).trimmed();
    if (port.isEmpty()) {
        port = QStringLiteral("LPT1");
        // A station that cannot write its file still prints to the default port.
        kv.writeString(section, key, port);
    }
    return port;
}

} // namespace zx
