#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velnix::windows_platform {

// A folder of the test's own under the temporary folder, removed with its content at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Path(std::wstring_view name = {}) const;
    void Write(std::wstring_view name, std::string_view text) const;
    // The file's content once it exists, for a file another process writes; nothing after 20 s.
    std::optional<std::string> WaitAndRead(std::wstring_view name) const;

  private:
    std::filesystem::path folder_;
};

// The program's text in the system's.
std::wstring Wide(std::string_view text);

}  // namespace velnix::windows_platform
