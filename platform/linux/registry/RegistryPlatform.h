#pragma once

#include "config/modRegistry.h"
#include "platform/linux/registry/LinuxRegistry.h"
#include "platform/linux/registry/LinuxSystemFacts.h"

namespace velnix::linux_platform {

// The program's one registry layer and the facts behind it, made on first use.
struct RegistryPlatform {
    LinuxRegistry registry;
    LinuxShortPath shortPath;
    LinuxVersion version;
    LinuxRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
};

RegistryPlatform& TheRegistryPlatform();

}  // namespace velnix::linux_platform
