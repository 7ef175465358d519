#include "platform/windows/com/ServerSwitches.h"

#include <windows.h>

#include <shellapi.h>

#include <cwctype>

namespace velnix::windows_platform {

namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

}  // namespace

ServerSwitch FindServerSwitch(const std::vector<std::wstring_view>& arguments) {
    struct Named {
        std::wstring_view name;
        ServerSwitch value;
    };
    static constexpr Named kSwitches[] = {
        {L"Embedding", ServerSwitch::kEmbedding},
        {L"RegServer", ServerSwitch::kRegServer},
        {L"UnregServer", ServerSwitch::kUnregServer},
    };
    for (std::wstring_view argument : arguments) {
        if (argument.empty() || (argument[0] != L'/' && argument[0] != L'-')) continue;
        for (const Named& known : kSwitches) {
            if (SameIgnoringCase(argument.substr(1), known.name)) return known.value;
        }
    }
    return ServerSwitch::kNone;
}

ServerSwitch ProgramServerSwitch() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words) return ServerSwitch::kNone;
    const std::vector<std::wstring_view> arguments(words + (count > 0 ? 1 : 0), words + count);
    const ServerSwitch found = FindServerSwitch(arguments);
    LocalFree(words);
    return found;
}

}  // namespace velnix::windows_platform
