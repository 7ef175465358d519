#include "platform/linux/SystemRoot.h"

#include <cstdlib>

namespace velnix::linux_platform {

std::filesystem::path SystemRoot() {
    const char* root = std::getenv("VELNIX_ROOT");
    return (root != nullptr && *root != '\0') ? std::filesystem::path(root)
                                              : std::filesystem::path("/");
}

std::filesystem::path UnderRoot(std::string_view absolutePath) {
    std::string_view relative = absolutePath;
    while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
    return SystemRoot() / relative;
}

}  // namespace velnix::linux_platform
