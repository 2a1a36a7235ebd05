#include "common/core/Extenso.h"

#include <QStringList>

namespace zx::funcao {

namespace {
const char *const kUnits[10]
    = { "", "UM", "DOIS", "TRES", "QUATRO", "CINCO", "SEIS", "SETE", "OITO", "NOVE" };
const char *const kTeens[10] = { "", "ONZE", "DOZE", "TREZE", "QUATORZE", "QUINZE", "DEZESSEIS",
    "DEZESSETE", "DEZOITO", "DEZENOVE" };
const char *const kTens[10] = { "", "DEZ", "VINTE", "TRINTA", "QUARENTA", "CINQUENTA", "SESSENTA",
    "SETENTA", "OITENTA", "NOVENTA" };
const char *const kHundreds[10] = { "", "CENTO", "DUZENTOS", "TREZENTOS", "QUATROCENTOS",
    "QUINHENTOS", "SEISCENTOS", "SETECENTOS", "OITOCENTOS", "NOVECENTOS" };

// Words of a three-digit group "htu".
QString group(const QString &g)
{
    const int h = g.at(0).unicode() - '0';
    const int t = g.at(1).unicode() - '0';
    const int u = g.at(2).unicode() - '0';
    QString tens, units;
    if (t == 1 && u != 0) {
        tens = QLatin1String(kTeens[u]);
    } else {
        tens = QLatin1String(kTens[t]);
        units = QLatin1String(kUnits[u]);
    }
    QString hundreds;
    if (h == 1 && tens.isEmpty() && units.isEmpty())
        hundreds = QStringLiteral("CEM");
    else
        hundreds = QLatin1String(kHundreds[h]);

    QString out = hundreds;
    if (!hundreds.isEmpty() && (!tens.isEmpty() || !units.isEmpty()))
        out += QLatin1String(" E ");
    out += tens;
    if (!tens.isEmpty() && !units.isEmpty())
        out += QLatin1String(" E ");
    out += units;
    return out;
}
} // namespace

std::optional<QString> extenso(Money amount)
{
    const Money v = amount.rounded(2);
    if (v.isNegative())
        return QStringLiteral("VALOR NEGATIVO");
    if (v > kMaxExtenso)
        return std::nullopt;
    if (v.isZero())
        return QStringLiteral("VALOR ZERADO");

    // Nine integer digits and two decimals: millions, thousands, units, cents.
    const int64_t cents = v.cents();
    const QString whole = QString::number(cents / 100).rightJustified(9, QLatin1Char('0'));
    const QString frac = QString::number(cents % 100).rightJustified(2, QLatin1Char('0'));
    const QString unitsGroup = whole.mid(6, 3);
    const QString M = group(whole.mid(0, 3));
    const QString K = group(whole.mid(3, 3));
    const QString U = group(unitsGroup);
    const QString C = group(QLatin1Char('0') + frac);
    int n = 0;
    for (const QString *w : { &M, &K, &U, &C })
        if (!w->isEmpty())
            ++n;

    QString text = M;
    if (!M.isEmpty()) {
        text += whole.left(3).toInt() < 2 ? QLatin1String(" MILHAO") : QLatin1String(" MILHOES");
        if (!K.isEmpty() || !U.isEmpty()) {
            // Millions followed directly by units read "... MILHOES E UM REAIS": the
            // " E " below joins them, a comma before it would be doubled punctuation.
            if (!(K.isEmpty() && C.isEmpty()))
                text += QLatin1String(", ");
        } else {
            text += QLatin1String(" DE REAIS");
        }
        text += K;
    } else {
        text = K;
    }
    if (!K.isEmpty()) {
        if (unitsGroup == QLatin1String("000"))
            text += QLatin1String(" MIL REAIS");
        else
            text += C.isEmpty() ? QLatin1String(" MIL") : QLatin1String(" MIL, ");
    }
    // Only units can follow the joining " E " (a round thousand or million ends
    // with its "REAIS").
    if (C.isEmpty() && n >= 2 && !U.isEmpty())
        text += QLatin1String(" E ");
    text += U;
    if (unitsGroup != QLatin1String("000")) {
        // Singular only when the whole amount is one real.
        const bool one = M.isEmpty() && K.isEmpty() && unitsGroup == QLatin1String("001");
        text += one ? QLatin1String(" REAL") : QLatin1String(" REAIS");
    }
    if (!C.isEmpty()) {
        if (M.isEmpty() && K.isEmpty() && U.isEmpty())
            text = C;
        else
            text += QLatin1String(" E ") + C;
        text
            += frac == QLatin1String("01") ? QLatin1String(" CENTAVO") : QLatin1String(" CENTAVOS");
    }
    return text;
}

} // namespace zx::funcao
