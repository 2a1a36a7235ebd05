#include "common/core/TextHelpers.h"

#include "common/core/Cp1252.h"

#include <QStringList>

namespace zx::funcao {

namespace {
bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

const QString &accented()
{
    static const QString s = QStringLiteral("àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜ");
    return s;
}
const QString &plain()
{
    static const QString s = QStringLiteral("aaeouaoaeioucuAAEOUAOAEIOUCU");
    return s;
}
} // namespace

QString SoNumero(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (isAsciiDigit(c))
            out.append(c);
    return out;
}

QString FmtNr(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (isAsciiDigit(c) || c == QLatin1Char(',') || c == QLatin1Char('-'))
            out.append(c);
    return out;
}

QString inserCarac(const QString &direction, QChar fill, const QString &text, int length)
{
    const qsizetype missing = length - text.size();
    if (missing <= 0)
        return text;
    const QString pad(missing, fill);
    return direction == QLatin1String("E") ? pad + text : text + pad;
}

QString Cria_Zeros(const QString &direction, const QString &text, int length)
{
    return inserCarac(direction, QLatin1Char('0'), text, length);
}

QString RemZerEsq(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    while (i < t.size() && t.at(i) == QLatin1Char('0'))
        ++i;
    return t.mid(i);
}

QString RemoveAcento(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const qsizetype k = accented().indexOf(out.at(i));
        if (k >= 0)
            out[i] = plain().at(k);
    }
    return out;
}

QString RemoveCarcEsp(const QString &text)
{
    static const QString special = QStringLiteral("&\u00A7@\u00AA\u00BA#$\u00A8*\u00B4^~`");
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!special.contains(c))
            out.append(c);
    return out;
}

QString RemovEspDup(const QString &text, const QString &pattern, const QString &replacement)
{
    QString out = text.trimmed();
    if (pattern.isEmpty())
        return out;
    if (replacement.contains(pattern))
        return out.replace(pattern, replacement);
    while (out.contains(pattern))
        out.replace(pattern, replacement);
    return out;
}

QString primMaiusc(const QString &text)
{
    const QString t = RemoveAcento(text);
    if (t.isEmpty())
        return t;
    return t.left(1).toUpper() + t.mid(1).toLower();
}

QString AlinhCampo(const QString &text, int alignment, int width)
{
    if (width < 0)
        width = 0;
    const QString cut = text.left(width);
    switch (alignment) {
    case 0:
        return cut.leftJustified(width, QLatin1Char(' '));
    case 1:
        return cut.rightJustified(width, QLatin1Char(' '));
    case 2: {
        const qsizetype side = (width - cut.size()) / 2;
        QString out = QString(side, QLatin1Char(' ')) + cut + QString(side, QLatin1Char(' '));
        return out.leftJustified(width, QLatin1Char(' '));
    }
    default:
        return QString();
    }
}

QString Encriptografar(const QString &text, QChar key)
{
    const int k = static_cast<unsigned char>(cp1252::encodeChar(key));
    QByteArray bytes = cp1252::encode(text);
    for (char &b : bytes)
        b = char((k - static_cast<unsigned char>(b) - 1) & 0xFF);
    return cp1252::decode(bytes);
}

QString FmtVersao(const QString &version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    QStringList out;
    for (int i = 0; i < 4; ++i) {
        const int v = i < parts.size() ? parts.at(i).trimmed().toInt() : 0;
        out << QString::number(qAbs(v) % 100).rightJustified(2, QLatin1Char('0'));
    }
    return out.join(QLatin1Char('.'));
}

} // namespace zx::funcao
