#include "service/SenhasFracas.h"

#include "service/protocol/Packing.h"

namespace zx {

QStringList senhasFracasFixas()
{
    QStringList out { QStringLiteral("123456"), QStringLiteral("654321") };
    for (int d = 0; d <= 9; ++d)
        out << QString(6, QChar(u'0' + d));
    auto pares = [](int a, int b, int c) {
        QString s;
        for (int x : { a, b, c })
            s += QString(2, QChar(u'0' + x));
        return s;
    };
    for (int d = 0; d <= 7; ++d)
        out << pares(d, d + 1, d + 2);
    for (int d = 0; d <= 7; ++d)
        out << pares(d + 2, d + 1, d);
    return out;
}

QString senhaSubstitutaSequencia()
{
    return protocol::getMD5(senhasFracasFixas().first());
}

bool ehSenhaFraca(const QString &valor, const QString &nascimentoDdMMyy)
{
    QStringList fracas = senhasFracasFixas();
    if (!nascimentoDdMMyy.isEmpty())
        fracas << nascimentoDdMMyy;
    for (const QString &f : fracas)
        if (valor == f || valor == protocol::getMD5(f))
            return true;
    return false;
}

namespace {
bool digito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

bool temSequenciaDeTres(const QString &senha)
{
    for (qsizetype i = 0; i + 2 < senha.size(); ++i) {
        const QChar a = senha.at(i), b = senha.at(i + 1), c = senha.at(i + 2);
        if (!digito(a) || !digito(b) || !digito(c))
            continue;
        const int d1 = b.unicode() - a.unicode();
        const int d2 = c.unicode() - b.unicode();
        if (d1 == d2 && (d1 == 1 || d1 == -1))
            return true;
    }
    return false;
}

} // namespace zx
