#include "platform/Platform.h"

#include "platform/RealPlatform.h"

#include <stdexcept>

namespace zx {

namespace {
PlatformServices &current()
{
    static PlatformServices s;
    return s;
}

template <typename T> T &need(const std::shared_ptr<T> &p, const char *what)
{
    if (!p)
        throw std::logic_error(std::string("platform seam not installed: ") + what);
    return *p;
}
} // namespace

PlatformServices Platform::real(const QStringList &arguments)
{
    PlatformServices s;
    s.dialogs = std::make_shared<RealDialogs>();
    s.clock = std::make_shared<RealClock>();
    s.processes = std::make_shared<RealProcesses>();
    s.desktop = std::make_shared<RealDesktop>();
    s.hostInfo = std::make_shared<RealHostInfo>();
    s.singleInstance = std::make_shared<RealSingleInstance>();
    s.keys = std::make_shared<RealKeyInjector>();
    s.paths = StationPaths::fromEnvironment(arguments);
    return s;
}

void Platform::install(const PlatformServices &services) { current() = services; }
const PlatformServices &Platform::services() { return current(); }
Dialogs &Platform::dialogs() { return need(current().dialogs, "dialogs"); }
Clock &Platform::clock() { return need(current().clock, "clock"); }
Processes &Platform::processes() { return need(current().processes, "processes"); }
Desktop &Platform::desktop() { return need(current().desktop, "desktop"); }
HostInfo &Platform::hostInfo() { return need(current().hostInfo, "hostInfo"); }
SingleInstance &Platform::singleInstance()
{
    return need(current().singleInstance, "singleInstance");
}
KeyInjector &Platform::keys() { return need(current().keys, "keys"); }
const StationPaths &Platform::paths() { return current().paths; }
void Platform::setPaths(const StationPaths &paths) { current().paths = paths; }

} // namespace zx
