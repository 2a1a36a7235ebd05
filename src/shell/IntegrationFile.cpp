#include "shell/IntegrationFile.h"

#include "common/core/Cp1252.h"
#include "common/core/Money.h"

#include <QSaveFile>

namespace zx::integration {

QString presetFromArgument(const QString &argument)
{
    const std::optional<Money> amount = Money::parse(argument.trimmed());
    if (!amount || *amount <= Money())
        return {};
    QString digits;
    for (const QChar c : argument)
        if (c.isDigit())
            digits += c;
    // The calling program passes cents: leading zeros carry nothing, and at least
    // one whole digit stands before the comma.
    while (digits.size() > 3 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    digits = digits.rightJustified(3, QLatin1Char('0'));
    return digits.left(digits.size() - 2) + QLatin1Char(',') + digits.right(2);
}

QStringList fileLines(const QString &firstLine, const QStringList &memoLines)
{
    QStringList out;
    out.reserve(memoLines.size() + 1);
    out << firstLine.leftJustified(kLineWidth, QLatin1Char(' '));
    for (const QString &l : memoLines)
        out << l.leftJustified(kLineWidth, QLatin1Char(' '));
    return out;
}

bool write(const QString &path, const QStringList &lines)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString &l : lines) {
        bytes += cp1252::encode(l);
        bytes += "\r\n";
    }
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}

} // namespace zx::integration
