#include "service/protocol/Packing.h"

#include "common/core/Cp1252.h"

#include <QCryptographicHash>
#include <algorithm>
#include <atomic>
#include <zlib.h>

namespace zx::protocol {

namespace {

std::atomic<qsizetype> g_inflateLimit { kDefaultInflateLimit };

template <typename T> std::optional<T> fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

qsizetype inflateLimit()
{
    return g_inflateLimit.load();
}

void setInflateLimit(qsizetype bytes)
{
    g_inflateLimit.store(std::max<qsizetype>(0, bytes));
}

QByteArray zlibDeflate(const QByteArray &bytes)
{
    uLongf size = compressBound(uLong(bytes.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef *>(out.data()), &size,
        reinterpret_cast<const Bytef *>(bytes.constData()), uLong(bytes.size()),
        Z_BEST_COMPRESSION);
    // compressBound guarantees room; only memory exhaustion can fail here.
    Q_ASSERT(rc == Z_OK);
    if (rc != Z_OK)
        qFatal("zlib compress2 failed (%d)", rc);
    out.truncate(qsizetype(size));
    return out;
}

std::optional<QByteArray> zlibInflate(const QByteArray &stream, QString *error, qsizetype limit)
{
    if (limit < 0)
        limit = inflateLimit();
    if (stream.isEmpty())
        return fail<QByteArray>(error, QStringLiteral("pacote zlib vazio"));

    z_stream zs {};
    if (inflateInit(&zs) != Z_OK)
        return fail<QByteArray>(error, QStringLiteral("zlib: falha ao iniciar"));

    QByteArray out;
    constexpr qsizetype kChunk = 64 * 1024;
    const auto *in = reinterpret_cast<const Bytef *>(stream.constData());
    qsizetype inLeft = stream.size();
    int rc = Z_OK;
    QString why;
    while (rc != Z_STREAM_END) {
        if (zs.avail_in == 0 && inLeft > 0) {
            const auto take = std::min<qsizetype>(inLeft, 1 << 30);
            zs.next_in = const_cast<Bytef *>(in);
            zs.avail_in = uInt(take);
            in += take;
            inLeft -= take;
        }
        const qsizetype before = out.size();
        // One byte over the limit is enough to know it was exceeded.
        const qsizetype room = std::min<qsizetype>(kChunk, limit + 1 - before);
        out.resize(before + room);
        zs.next_out = reinterpret_cast<Bytef *>(out.data() + before);
        zs.avail_out = uInt(room);
        rc = inflate(&zs, Z_NO_FLUSH);
        out.resize(before + (room - qsizetype(zs.avail_out)));
        if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_STREAM_ERROR) {
            why = QStringLiteral("pacote zlib corrompido: %1")
                      .arg(QString::fromLatin1(zs.msg ? zs.msg : "dados inválidos"));
            break;
        }
        if (rc == Z_MEM_ERROR) {
            why = QStringLiteral("zlib: memória insuficiente");
            break;
        }
        if (out.size() > limit) {
            why = QStringLiteral("pacote zlib excede o limite de %1 bytes").arg(limit);
            break;
        }
        if (rc == Z_BUF_ERROR && zs.avail_in == 0 && inLeft == 0) {
            why = QStringLiteral("pacote zlib truncado");
            break;
        }
    }
    const bool trailing = rc == Z_STREAM_END && (zs.avail_in > 0 || inLeft > 0);
    inflateEnd(&zs);
    if (!why.isEmpty())
        return fail<QByteArray>(error, why);
    if (trailing)
        return fail<QByteArray>(error, QStringLiteral("bytes além do fim do pacote zlib"));
    return out;
}

QByteArray getZip(const QString &text)
{
    return zlibDeflate(zx::cp1252::encode(text));
}

std::optional<QString> getUnzip(const QByteArray &packed, QString *error, qsizetype limit)
{
    const auto bytes = zlibInflate(packed, error, limit);
    if (!bytes)
        return std::nullopt;
    return zx::cp1252::decode(*bytes);
}

QByteArray getZip2(const QString &text)
{
    return getZip(text);
}

std::optional<QString> getUnzip2(const QByteArray &packed, QString *error, qsizetype limit)
{
    return getUnzip(packed, error, limit);
}

QString getMD5(const QString &text)
{
    const QByteArray digest
        = QCryptographicHash::hash(zx::cp1252::encode(text), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex()).toUpper();
}

QByteArray StrToByte(const QString &digits)
{
    QByteArray out = zx::cp1252::encode(digits);
    for (char &b : out)
        b = char(static_cast<unsigned char>(b) - '0');
    return out;
}

} // namespace zx::protocol
