#include "platform/linux/registry/RegistryPlatform.h"

namespace velnix::linux_platform {

RegistryPlatform& TheRegistryPlatform() {
    static RegistryPlatform platform;
    return platform;
}

}  // namespace velnix::linux_platform
