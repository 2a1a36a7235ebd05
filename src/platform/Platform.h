#pragma once
// The seams to the operating system, installed once at start-up (real ones by the
// program, fakes by tests). Reached from anywhere through these accessors.
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/HostInfo.h"
#include "platform/KeyInjector.h"
#include "platform/Processes.h"
#include "platform/SingleInstance.h"
#include "platform/StationPaths.h"

#include <memory>

namespace zx {

struct PlatformServices {
    std::shared_ptr<Dialogs> dialogs;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<Processes> processes;
    std::shared_ptr<Desktop> desktop;
    std::shared_ptr<HostInfo> hostInfo;
    std::shared_ptr<SingleInstance> singleInstance;
    std::shared_ptr<KeyInjector> keys;
    StationPaths paths;
};

class Platform {
public:
    // The real implementations, with paths from the environment and arguments.
    static PlatformServices real(const QStringList &arguments = {});
    static void install(const PlatformServices &services);
    static const PlatformServices &services();

    static Dialogs &dialogs();
    static Clock &clock();
    static Processes &processes();
    static Desktop &desktop();
    static HostInfo &hostInfo();
    static SingleInstance &singleInstance();
    static KeyInjector &keys();
    static const StationPaths &paths();
    static void setPaths(const StationPaths &paths);
};

} // namespace zx
