#include "platform/linux/ras/PppPeers.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "common/Text.h"
#include "engine/RasApi.h"
#include "platform/linux/SystemRoot.h"

namespace velnix::linux_platform {

namespace fs = std::filesystem;

bool IsPeerName(std::string_view name) {
    if (name.empty() || name.size() >= ras::kEntryNameRoom || name.front() == '.') return false;
    const bool backup =
        name.back() == '~' ||
        (name.size() >= 4 && EqualsIgnoreCase(name.substr(name.size() - 4), ".bak"));
    const bool autosave = name.size() > 1 && name.front() == '#' && name.back() == '#';
    if (backup || autosave) return false;
    constexpr std::array<std::string_view, 2> kLeftovers = {".dpkg-", ".ucf-"};
    return std::none_of(kLeftovers.begin(), kLeftovers.end(), [&](std::string_view leftover) {
        return name.find(leftover) != std::string_view::npos;
    });
}

std::vector<std::string> ListPeers(std::error_code& error) {
    error.clear();
    std::vector<std::string> names;
    fs::directory_iterator it(UnderRoot("/etc/ppp/peers"), error);
    if (error == std::errc::no_such_file_or_directory) error.clear();
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (IsPeerName(name) && it->is_regular_file(typeError)) names.push_back(std::move(name));
    }
    if (error) return {};
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace velnix::linux_platform
