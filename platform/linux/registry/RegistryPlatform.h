#pragma once

#include "config/modRegistry.h"
#include "platform/linux/registry/LinuxRegistry.h"
#include "platform/linux/registry/LinuxSystemFacts.h"

namespace velnix::linux_platform {

// The registry layer and the facts behind it, as the program's main makes them once.
struct RegistryPlatform {
    LinuxRegistry registry;
    LinuxShortPath shortPath;
    LinuxVersion version;
    LinuxRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
};

}  // namespace velnix::linux_platform
