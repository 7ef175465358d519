#include "platform/windows/process/WindowsProcessLauncher.h"

#include <windows.h>

#include <optional>

#include "common/Errors.h"
#include "platform/windows/portable/ProgramPath.h"
#include "platform/windows/system/Handles.h"
#include "platform/windows/system/SystemMessage.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

void WindowsProcessLauncher::StartHidden(const std::string& commandLine) {
    Start(commandLine, CREATE_NO_WINDOW, SW_HIDE);
}

void WindowsProcessLauncher::StartShown(const std::string& commandLine) {
    Start(commandLine, 0, SW_SHOWNORMAL);
}

void WindowsProcessLauncher::Start(const std::string& commandLine, uint32_t creationFlags,
                                   uint16_t show) {
    const std::string program(CommandProgram(commandLine));
    if (program.empty()) throw ProcessStartError("Ligne de commande vide");
    std::optional<std::wstring> line = WideFromUtf8(commandLine);
    if (!line) throw ProcessStartError("Ligne de commande illisible (texte UTF-8 invalide)");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started{};
    // CreateProcessW may write into the line while it reads it: it gets the string's own buffer.
    if (!CreateProcessW(nullptr, line->data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        nullptr, &startup, &started)) {
        const DWORD error = GetLastError();
        throw ProcessStartError("Impossible de lancer " + program + " : " +
                                FrenchSystemMessage(error, program));
    }
    // Not waited for: its handles are of no further use.
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
}

}  // namespace velnix::windows_platform
