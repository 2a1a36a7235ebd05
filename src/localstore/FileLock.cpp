#include "localstore/FileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zx::filelock {

#ifdef Q_OS_WIN

namespace {
HANDLE nativeHandle(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

bool winLock(QFile &file, qint64 offset, qint64 length, Kind kind, bool wait)
{
    OVERLAPPED ov = {};
    ov.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    ov.OffsetHigh = DWORD(quint64(offset) >> 32);
    DWORD flags = kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!wait)
        flags |= LOCKFILE_FAIL_IMMEDIATELY;
    return LockFileEx(nativeHandle(file), flags, 0, DWORD(quint64(length) & 0xFFFFFFFFu),
        DWORD(quint64(length) >> 32), &ov);
}
} // namespace

bool lock(QFile &file, qint64 offset, qint64 length, Kind kind, QString *error)
{
    if (winLock(file, offset, length, kind, true))
        return true;
    if (error)
        *error = QStringLiteral("bloqueio do arquivo falhou (erro %1)").arg(GetLastError());
    return false;
}

bool tryLock(QFile &file, qint64 offset, qint64 length, Kind kind)
{
    return winLock(file, offset, length, kind, false);
}

void unlock(QFile &file, qint64 offset, qint64 length)
{
    OVERLAPPED ov = {};
    ov.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    ov.OffsetHigh = DWORD(quint64(offset) >> 32);
    UnlockFileEx(nativeHandle(file), 0, DWORD(quint64(length) & 0xFFFFFFFFu),
        DWORD(quint64(length) >> 32), &ov);
}

bool syncData(QFile &file)
{
    return FlushFileBuffers(nativeHandle(file));
}

#else

namespace {
// Open-file-description locks where the system has them: they belong to one open of
// the file, so two tables on one file in this program exclude each other too, and
// closing one of them does not drop the other's locks (classic fcntl locks would).
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
constexpr int kSetLockWait = F_OFD_SETLKW;
#else
constexpr int kSetLock = F_SETLK;
constexpr int kSetLockWait = F_SETLKW;
#endif

int posixLock(QFile &file, qint64 offset, qint64 length, short type, int cmd)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    int rc;
    do {
        rc = ::fcntl(file.handle(), cmd, &fl);
    } while (rc == -1 && errno == EINTR);
    return rc;
}
} // namespace

bool lock(QFile &file, qint64 offset, qint64 length, Kind kind, QString *error)
{
    if (posixLock(file, offset, length, kind == Kind::Exclusive ? F_WRLCK : F_RDLCK, kSetLockWait)
        == 0)
        return true;
    if (error)
        *error = QStringLiteral("bloqueio do arquivo falhou: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool tryLock(QFile &file, qint64 offset, qint64 length, Kind kind)
{
    return posixLock(file, offset, length, kind == Kind::Exclusive ? F_WRLCK : F_RDLCK, kSetLock)
        == 0;
}

void unlock(QFile &file, qint64 offset, qint64 length)
{
    posixLock(file, offset, length, F_UNLCK, kSetLock);
}

bool syncData(QFile &file)
{
#if defined(Q_OS_DARWIN)
    return ::fsync(file.handle()) == 0;
#else
    return ::fdatasync(file.handle()) == 0;
#endif
}

#endif

bool lockWithin(QFile &file, qint64 offset, qint64 length, Kind kind, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    unsigned long pauseMs = 1;
    for (;;) {
        if (tryLock(file, offset, length, kind))
            return true;
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(pauseMs);
        pauseMs = qMin<unsigned long>(pauseMs * 2, 50);
    }
}

} // namespace zx::filelock
