#pragma once
// Advisory byte-range locks and data flushes on an open file: fcntl on POSIX,
// LockFileEx / FlushFileBuffers on Windows. The ranges used by the dBase engine lie
// far beyond the data, as dBase itself does, so readers that do not lock are never
// blocked.
#include <QString>

class QFile;

namespace zx::filelock {

enum class Kind { Shared, Exclusive };

// Waits until the range is granted. False (with a reason) on an error.
bool lock(QFile &file, qint64 offset, qint64 length, Kind kind, QString *error);
// Tries once; false when another program holds a conflicting lock (or on an error).
bool tryLock(QFile &file, qint64 offset, qint64 length, Kind kind);
// Retries tryLock until timeoutMs has passed.
bool lockWithin(QFile &file, qint64 offset, qint64 length, Kind kind, int timeoutMs);
void unlock(QFile &file, qint64 offset, qint64 length);

// Writes the file's data to the disk (fdatasync / FlushFileBuffers).
bool syncData(QFile &file);

} // namespace zx::filelock
