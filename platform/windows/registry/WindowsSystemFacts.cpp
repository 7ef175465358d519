#include "platform/windows/registry/WindowsSystemFacts.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "common/Errors.h"
#include "platform/windows/portable/FieldText.h"
#include "platform/windows/portable/ProgramPath.h"
#include "platform/windows/system/SystemMessage.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

ProgramPath RunningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), path.size());
        if (length == 0) {
            throw VelnixError("Emplacement du programme introuvable : " +
                              FrenchSystemMessage(GetLastError()));
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: ask again with more room
    }
    const std::optional<std::string> text = Utf8FromWide(path);
    if (!text) throw VelnixError("Emplacement du programme illisible");
    return SplitProgramPath(*text);
}

}  // namespace

uint32_t WindowsShortPath::ShortPathOf(std::string_view longPath, char* buffer,
                                       uint32_t bufferLength) {
    const std::optional<std::wstring> path = WideFromUtf8(longPath);
    if (!path) return 0;
    std::wstring shortPath(MAX_PATH, L'\0');
    DWORD length = GetShortPathNameW(path->c_str(), shortPath.data(), shortPath.size());
    if (length > shortPath.size()) {  // the room it needs, its NUL included
        shortPath.assign(length, L'\0');
        length = GetShortPathNameW(path->c_str(), shortPath.data(), shortPath.size());
    }
    if (length == 0 || length >= shortPath.size()) return 0;
    shortPath.resize(length);
    const std::optional<std::string> text = Utf8FromWide(shortPath);
    if (!text) return 0;
    const auto needed = static_cast<uint32_t>(text->size() + 1);
    if (needed > bufferLength) return needed;
    std::memcpy(buffer, text->c_str(), needed);
    return needed - 1;
}

bool WindowsVersion::ReadVersion(OsVersionInfo& info) {
    if (info.dwOSVersionInfoSize != sizeof(OsVersionInfo)) return false;
    OSVERSIONINFOW system{};
    system.dwOSVersionInfoSize = sizeof system;
    if (!GetVersionExW(&system)) return false;
    info.dwMajorVersion = system.dwMajorVersion;
    info.dwMinorVersion = system.dwMinorVersion;
    info.dwBuildNumber = system.dwBuildNumber;
    info.dwPlatformId = system.dwPlatformId;
    const std::string servicePack =
        Utf8FromWideReplacing(FieldText(system.szCSDVersion, std::size(system.szCSDVersion)));
    CopyToField(info.szCSDVersion, sizeof info.szCSDVersion, servicePack);
    return true;
}

std::string WindowsRunningProgram::Folder() { return RunningProgramPath().folder; }

std::string WindowsRunningProgram::Name() { return RunningProgramPath().name; }

std::string WindowsRunningProgram::Extension() { return RunningProgramPath().extension; }

}  // namespace velnix::windows_platform
