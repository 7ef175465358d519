#include "platform/linux/process/ProgramSearch.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace velnix::linux_platform {

namespace fs = std::filesystem;

namespace {

bool EndsWithExe(std::string_view name) {
    if (name.size() <= 4) return false;
    const std::string_view extension = name.substr(name.size() - 4);
    return extension[0] == '.' && (extension[1] | 0x20) == 'e' && (extension[2] | 0x20) == 'x' &&
           (extension[3] | 0x20) == 'e';
}

// The name as given, then without ".exe".
std::optional<fs::path> FindIn(const fs::path& folder, std::string_view name) {
    if (const fs::path given = folder / name; IsExecutableFile(given)) return given;
    if (const std::string_view bare = BareProgramName(name); bare != name) {
        if (const fs::path program = folder / bare; IsExecutableFile(program)) return program;
    }
    return std::nullopt;
}

}  // namespace

std::string_view BareProgramName(std::string_view name) {
    return EndsWithExe(name) ? name.substr(0, name.size() - 4) : name;
}

std::optional<fs::path> RunningProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) return std::nullopt;
    return program.parent_path();
}

bool IsExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<fs::path> SearchPathFolders() {
    std::vector<fs::path> folders;
    const char* path = std::getenv("PATH");
    if (path == nullptr) return folders;
    std::string_view rest(path);
    while (true) {
        const size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        folders.emplace_back(folder.empty() ? std::string_view(".") : folder);
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return folders;
}

std::optional<fs::path> FindProgram(std::string_view name, const std::vector<fs::path>& folders) {
    if (name.empty()) return std::nullopt;
    const fs::path asGiven(name);
    if (name.find('/') != std::string_view::npos) {
        return FindIn(asGiven.parent_path(), asGiven.filename().string());
    }
    for (const fs::path& folder : folders) {
        if (std::optional<fs::path> found = FindIn(folder, name)) return found;
    }
    return std::nullopt;
}

}  // namespace velnix::linux_platform
