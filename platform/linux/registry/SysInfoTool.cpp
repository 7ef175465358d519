#include "platform/linux/registry/SysInfoTool.h"

#include <filesystem>
#include <vector>

#include "platform/linux/SystemRoot.h"
#include "platform/linux/process/ProgramSearch.h"

namespace velnix::linux_platform {

namespace {

// The absolute folders of PATH (a relative one means nothing under the system root), then
// /usr/bin.
std::vector<std::filesystem::path> SearchFolders() {
    std::vector<std::filesystem::path> folders;
    for (std::filesystem::path& folder : SearchPathFolders()) {
        if (folder.is_absolute()) folders.push_back(std::move(folder));
    }
    folders.emplace_back("/usr/bin");
    return folders;
}

}  // namespace

std::optional<std::string> FindSysInfoTool() {
    const std::vector<std::filesystem::path> folders = SearchFolders();
    for (const char* tool : kSysInfoTools) {
        for (const std::filesystem::path& folder : folders) {
            const std::filesystem::path candidate = UnderRoot(folder.native()) / tool;
            if (IsExecutableFile(candidate)) return candidate.lexically_normal().string();
        }
    }
    return std::nullopt;
}

}  // namespace velnix::linux_platform
