#pragma once

#include "config/SystemFacts.h"

namespace velnix::windows_platform {

// GetShortPathNameW. The room and the lengths count UTF-8 bytes.
class WindowsShortPath : public ShortPathApi {
  public:
    uint32_t ShortPathOf(std::string_view longPath, char* buffer, uint32_t bufferLength) override;
};

// GetVersionExW, copied into the program's record: the numbers, the platform identifier (2 on
// the NT family) and the service pack's name in UTF-8. Windows 8.1 and later report 6.2 to a
// program that does not declare them; the platform identifier is right whatever.
class WindowsVersion : public VersionApi {
  public:
    bool ReadVersion(OsVersionInfo& info) override;
};

// The running program's file, from GetModuleFileNameW. Throws VelnixError when the system
// cannot tell it.
class WindowsRunningProgram : public RunningProgram {
  public:
    std::string Folder() override;
    std::string Name() override;
    std::string Extension() override;
    char Separator() override { return '\\'; }
};

}  // namespace velnix::windows_platform
