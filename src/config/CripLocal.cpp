#include "config/CripLocal.h"

#include "common/core/Cp1252.h"

namespace zx {

namespace {
QByteArray pass(const QByteArray &in, int key)
{
    QByteArray out(in.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < in.size(); ++i)
        out[i] = char((key - 1 - int(static_cast<unsigned char>(in.at(i)))) & 0xFF);
    return out;
}
} // namespace

QByteArray cripLocalBytes(const QByteArray &bytes)
{
    return pass(pass(bytes, kCripK1), kCripK2);
}

QByteArray decripLocalBytes(const QByteArray &bytes)
{
    return pass(pass(bytes, kCripK2), kCripK1);
}

QString cripLocal(const QString &text)
{
    return cp1252::decode(cripLocalBytes(cp1252::encode(text)));
}

QString decripLocal(const QString &text)
{
    return cp1252::decode(decripLocalBytes(cp1252::encode(text)));
}

} // namespace zx
