#include "tests/windows/ScratchFolder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

ScratchFolder::ScratchFolder() {
    static int made = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("velnix-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
    std::filesystem::create_directories(folder_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path ScratchFolder::Path(std::wstring_view name) const {
    return name.empty() ? folder_ : folder_ / name;
}

void ScratchFolder::Write(std::wstring_view name, std::string_view text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
}

std::optional<std::string> ScratchFolder::WaitAndRead(std::wstring_view name) const {
    for (int tries = 0; tries < 400; ++tries) {
        std::ifstream file(Path(name), std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            return text.str();
        }
        Sleep(50);
    }
    return std::nullopt;
}

std::wstring Wide(std::string_view text) { return WideFromUtf8(text).value(); }

}  // namespace velnix::windows_platform
