#include "service/protocol/TextRules.h"

namespace zx::protocol {

QString AjustTextXML(const QString &text)
{
    QString out = RemoveCarcEsp(RemoveAcento(text)).trimmed();
    while (out.contains(QLatin1String("  ")))
        out.replace(QLatin1String("  "), QLatin1String(" "));
    return out;
}

QString escapeAmpersands(const QString &reply)
{
    QString out = reply;
    return out.replace(QLatin1Char('&'), QLatin1String(kAmpEscape));
}

QString restoreAmpersands(const QString &value)
{
    QString out = value;
    return out.replace(QLatin1String(kAmpEscape), QLatin1String("&"));
}

QString foldAmpersands(const QString &reply)
{
    QString out = reply;
    return out.replace(QLatin1Char('&'), QLatin1Char('E'));
}

QString fmtCartao(const QString &typed)
{
    QString out = zx::funcao::SoNumero(typed).rightJustified(10, QLatin1Char('0'));
    // A space before the 4th, 8th, 12th ... character of the growing text while that
    // position is still inside it.
    for (qsizetype pos = 3; pos < out.size(); pos += 4)
        out.insert(pos, QLatin1Char(' '));
    return out;
}

} // namespace zx::protocol
