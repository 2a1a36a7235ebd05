#pragma once
#include <QDateTime>

namespace zx {

// The local clock, and setting it from the server's date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // False when the system refused (no privilege, no facility); never throws.
    virtual bool setSystemClock(const QDateTime &when) = 0;
};

} // namespace zx
