#include "service/protocol/TextRules.h"

namespace zx::protocol {

QString foldAccents(const QString &text)
{
    static const QString from = QStringLiteral("àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜ");
    static const QString to = QStringLiteral("aaeouaoaeioucuAAEOUAOAEIOUCU");
    QString out = text;
    for (QChar &c : out) {
        if (c.unicode() < 0xC0)
            continue;
        const qsizetype i = from.indexOf(c);
        if (i >= 0)
            c = to.at(i);
    }
    return out;
}

QString RemoveCarcEsp(const QString &text)
{
    static const QString special = QStringLiteral("&§@ªº#$¨*´^~`");
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!special.contains(c))
            out.append(c);
    }
    return out;
}

QString AjustTextXML(const QString &text)
{
    QString out = RemoveCarcEsp(foldAccents(text)).trimmed();
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
    QString digits;
    for (QChar c : typed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    QString out = digits.rightJustified(10, QLatin1Char('0'));
    // A space before the 4th, 8th, 12th ... character of the growing text while that
    // position is still inside it.
    for (qsizetype pos = 3; pos < out.size(); pos += 4)
        out.insert(pos, QLatin1Char(' '));
    return out;
}

} // namespace zx::protocol
