#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnix {

// GetShortPathName: the short form of a path.
class ShortPathApi {
  public:
    virtual ~ShortPathApi() = default;

    // Writes the short form of `longPath` and its NUL into `buffer` (room `bufferLength`
    // characters) and returns its length without the NUL. When it does not fit, writes nothing
    // and returns the room needed, NUL included. Returns 0 when the path has no short form.
    virtual uint32_t ShortPathOf(std::string_view longPath, char* buffer,
                                 uint32_t bufferLength) = 0;
};

// OSVERSIONINFOA, 148 bytes.
struct OsVersionInfo {
    uint32_t dwOSVersionInfoSize;
    uint32_t dwMajorVersion;
    uint32_t dwMinorVersion;
    uint32_t dwBuildNumber;
    uint32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfo) == 148);
inline constexpr uint32_t kVerPlatformWin32Windows = 1;
inline constexpr uint32_t kVerPlatformWin32Nt = 2;

// GetVersionEx.
class VersionApi {
  public:
    virtual ~VersionApi() = default;

    // Fills `info`, whose size field the caller sets; false when the call fails.
    virtual bool ReadVersion(OsVersionInfo& info) = 0;
};

// Where the running program lives. Each may throw VelnixError when it cannot be told.
class RunningProgram {
  public:
    virtual ~RunningProgram() = default;

    // The folder that holds the program, without a closing separator except at a root.
    virtual std::string Folder() = 0;
    // The name of its file without the extension.
    virtual std::string Name() = 0;
    // What follows the name in its start command: ".exe" on Windows, the file's own extension
    // (usually none) on Linux.
    virtual std::string Extension() = 0;
    // The platform's path separator.
    virtual char Separator() = 0;
};

}  // namespace velnix
