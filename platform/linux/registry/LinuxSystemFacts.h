#pragma once

#include "config/SystemFacts.h"

namespace velnix::linux_platform {

// Linux has no short names: the path comes back as it is.
class LinuxShortPath : public ShortPathApi {
  public:
    uint32_t ShortPathOf(std::string_view longPath, char* buffer, uint32_t bufferLength) override;
};

// Linux answers as the NT family, so the start entry goes where it does on current Windows.
class LinuxVersion : public VersionApi {
  public:
    bool ReadVersion(OsVersionInfo& info) override;
};

// The running program's real file, read from /proc/self/exe. Throws VelnixError when it cannot
// be read.
class LinuxRunningProgram : public RunningProgram {
  public:
    std::string Folder() override;
    std::string Name() override;
    std::string Extension() override;
    char Separator() override { return '/'; }
};

}  // namespace velnix::linux_platform
