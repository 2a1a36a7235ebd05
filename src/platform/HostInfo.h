#pragma once
#include <QString>

namespace zx {

class HostInfo {
public:
    virtual ~HostInfo() = default;
    virtual QString hostName() const = 0;
    // First IPv4 address of the host as a.b.c.d ("127.0.0.1" when none is found).
    virtual QString firstIPv4() const = 0;
};

} // namespace zx
