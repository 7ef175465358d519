#include "platform/linux/registry/SysInfoTool.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/linux/SystemRoot.h"

namespace velnix::linux_platform {

namespace {

std::vector<std::string> SearchFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string_view rest = (path != nullptr && *path != '\0') ? path : "/usr/bin";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty() && folder.front() == '/') folders.emplace_back(folder);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    folders.emplace_back("/usr/bin");
    return folders;
}

bool IsExecutableFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) return false;
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
           perms::none;
}

}  // namespace

std::optional<std::string> FindSysInfoTool() {
    const std::vector<std::string> folders = SearchFolders();
    for (const char* tool : kSysInfoTools) {
        for (const std::string& folder : folders) {
            const std::filesystem::path candidate = UnderRoot(folder) / tool;
            if (IsExecutableFile(candidate)) return candidate.lexically_normal().string();
        }
    }
    return std::nullopt;
}

}  // namespace velnix::linux_platform
