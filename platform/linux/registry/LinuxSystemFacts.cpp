#include "platform/linux/registry/LinuxSystemFacts.h"

#include <cstring>
#include <filesystem>

#include "common/Errors.h"

namespace velnix::linux_platform {

namespace {

std::filesystem::path ProgramFile() {
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw VelnixError("Emplacement du programme introuvable : " + error.message());
    return file;
}

}  // namespace

uint32_t LinuxShortPath::ShortPathOf(std::string_view longPath, char* buffer,
                                     uint32_t bufferLength) {
    const auto needed = static_cast<uint32_t>(longPath.size() + 1);
    if (needed > bufferLength) return needed;
    std::memcpy(buffer, longPath.data(), longPath.size());
    buffer[longPath.size()] = '\0';
    return needed - 1;
}

bool LinuxVersion::ReadVersion(OsVersionInfo& info) {
    if (info.dwOSVersionInfoSize != sizeof(OsVersionInfo)) return false;
    info.dwPlatformId = kVerPlatformWin32Nt;
    return true;
}

std::string LinuxRunningProgram::Folder() { return ProgramFile().parent_path().string(); }

std::string LinuxRunningProgram::Name() { return ProgramFile().stem().string(); }

std::string LinuxRunningProgram::Extension() { return ProgramFile().extension().string(); }

}  // namespace velnix::linux_platform
