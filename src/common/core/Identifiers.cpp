#include "common/core/Identifiers.h"

#include "common/core/TextHelpers.h"

namespace zx::funcao {

namespace {
int digitAt(const QString &digits, qsizetype i)
{
    return digits.at(i).unicode() - '0';
}

bool oneRepeatedDigit(const QString &digits)
{
    for (QChar c : digits)
        if (c != digits.at(0))
            return false;
    return true;
}

// The check digit over base, walked from its last digit with weights starting at
// firstWeight; a CNPJ wraps the weight back to 2 after 9.
int checkDigit(const QString &base, int startSum, int firstWeight, bool wrap)
{
    int sum = startSum;
    int weight = firstWeight;
    for (qsizetype i = base.size() - 1; i >= 0; --i) {
        sum += digitAt(base, i) * weight;
        ++weight;
        if (wrap && weight > 9)
            weight = 2;
    }
    const int d = 11 - sum % 11;
    return d >= 10 ? 0 : d;
}

QString stripLeadingZeros(const QString &digits)
{
    qsizetype i = 0;
    while (i < digits.size() && digits.at(i) == QLatin1Char('0'))
        ++i;
    return digits.mid(i);
}
} // namespace

CpfCnpjVerdict checkCnpjCpf(const QString &text)
{
    QString digits = SoNumero(text);
    if (digits.size() > 14)
        return CpfCnpjVerdict::TooLong;
    const bool cnpj = digits.size() > 11;
    digits = Cria_Zeros(QStringLiteral("E"), digits, cnpj ? 14 : 11);
    const QString base = digits.left(digits.size() - 2);
    const int d1 = checkDigit(base, 0, 2, cnpj);
    const int d2 = checkDigit(base, 2 * d1, 3, cnpj);
    const bool ok = d1 == digitAt(digits, digits.size() - 2)
        && d2 == digitAt(digits, digits.size() - 1) && !oneRepeatedDigit(digits);
    if (ok)
        return cnpj ? CpfCnpjVerdict::ValidCnpj : CpfCnpjVerdict::ValidCpf;
    return cnpj ? CpfCnpjVerdict::InvalidCnpj : CpfCnpjVerdict::InvalidCpf;
}

QString FmtCNPJ_CPF(const QString &text)
{
    QString d = SoNumero(text);
    if (d.isEmpty())
        return d;
    if (d.size() > 11) {
        d = Cria_Zeros(QStringLiteral("E"), d, 14);
        return d.mid(0, 2) + QLatin1Char('.') + d.mid(2, 3) + QLatin1Char('.') + d.mid(5, 3)
            + QLatin1Char('/') + d.mid(8, 4) + QLatin1Char('-') + d.mid(12, 2);
    }
    d = Cria_Zeros(QStringLiteral("E"), d, 11);
    return d.mid(0, 3) + QLatin1Char('.') + d.mid(3, 3) + QLatin1Char('.') + d.mid(6, 3)
        + QLatin1Char('-') + d.mid(9, 2);
}

PisVerdict checkPis(const QString &text)
{
    const QString d = SoNumero(text);
    if (d.isEmpty())
        return PisVerdict::Empty;
    // Only eleven digits make a PIS/PASEP number: a longer text is not one whose
    // extra digits may be ignored.
    if (d.size() != 11)
        return PisVerdict::Invalid;
    static const int weights[10] = { 3, 2, 9, 8, 7, 6, 5, 4, 3, 2 }; // digits 1..10
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += digitAt(d, i) * weights[i];
    int expected = 11 - sum % 11;
    if (expected >= 10)
        expected = 0;
    return expected == digitAt(d, 10) ? PisVerdict::Valid : PisVerdict::Invalid;
}

TituloVerdict checkTitulo(const QString &text)
{
    const QString raw = SoNumero(text);
    if (stripLeadingZeros(raw).isEmpty())
        return TituloVerdict::Empty;
    if (raw.size() > 13)
        return TituloVerdict::Invalid;
    const QString d = Cria_Zeros(QStringLiteral("E"), raw, 13);
    const QString uf = d.mid(9, 2);
    const bool spMg = uf == QLatin1String("01") || uf == QLatin1String("02");
    auto dv = [spMg](int sum) {
        const int r = sum % 11;
        if (r >= 2)
            return 11 - r;
        return (r == 0 && spMg) ? 1 : 0;
    };
    static const int weights[9] = { 2, 9, 8, 7, 6, 5, 4, 3, 2 };
    int sum1 = 0;
    for (int i = 0; i < 9; ++i)
        sum1 += weights[i] * digitAt(d, i);
    const int dv1 = dv(sum1);
    const int dv2 = dv(4 * digitAt(d, 9) + 3 * digitAt(d, 10) + 2 * dv1);
    return dv1 == digitAt(d, 11) && dv2 == digitAt(d, 12) ? TituloVerdict::Valid
                                                          : TituloVerdict::Invalid;
}

bool estadoValido(const QString &text)
{
    static const QString codes
        = QStringLiteral("SPMGRJRSSCPRESDFMTMSGOTOBASEALPBPEMARNCEPIPAAMAPFNACRRRO");
    const QString t = text.trimmed().toUpper();
    if (t.isEmpty())
        return true;
    if (t.size() != 2)
        return false;
    for (qsizetype i = 0; i < codes.size(); i += 2)
        if (QStringView(codes).mid(i, 2) == t)
            return true;
    return false;
}

QString fmtCEP(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const QString d = Cria_Zeros(QStringLiteral("D"), SoNumero(text), 8);
    return d.left(5) + QLatin1Char('-') + d.mid(5);
}

QString FmtFone(const QString &text)
{
    QString d = SoNumero(text);
    if (d.size() < 7)
        return QString();
    d = stripLeadingZeros(d);
    if (d.isEmpty())
        d = QStringLiteral("0");
    switch (d.size()) {
    case 7:
        return d.left(3) + QLatin1Char('-') + d.mid(3);
    case 8:
        return d.left(4) + QLatin1Char('-') + d.mid(4);
    case 9:
        return d.left(5) + QLatin1Char('-') + d.mid(5);
    case 10:
        return QLatin1Char('(') + d.left(2) + QLatin1Char(')') + d.mid(2, 4) + QLatin1Char('-')
            + d.mid(6);
    case 11:
        return QLatin1Char('(') + d.left(2) + QLatin1Char(')') + d.mid(2, 5) + QLatin1Char('-')
            + d.mid(7);
    default:
        return d;
    }
}

FoneVerdict compFone(const QString &text, QString *field)
{
    const QString d = stripLeadingZeros(SoNumero(text));
    QString out;
    FoneVerdict v = FoneVerdict::Ok;
    if (d.isEmpty())
        v = FoneVerdict::Empty;
    else if (d.size() <= 6)
        v = FoneVerdict::Incomplete;
    else if (d.size() == 7)
        out = QStringLiteral("   ") + d;
    else if (d.size() == 8)
        out = QStringLiteral("  ") + d;
    else if (d.size() == 9)
        out = d.left(2) + QLatin1Char(' ') + d.mid(2);
    else
        out = d;
    if (field)
        *field = out;
    return v;
}

} // namespace zx::funcao
