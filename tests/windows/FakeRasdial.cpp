// rasdial.exe for the tests: writes each of its arguments between brackets, how it was asked to
// show its window ("show=" and the SW_ value, or "none") and its working folder, one a line in
// UTF-8, into the file named by VELNIX_FAKE_DIALER_LOG, then ends. The file appears complete.
// Built as a window program: a console one started by the shell gets a console host of its own,
// which Wine keeps alive a second or two with the test's output open.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/windows/system/WideText.h"

int wmain(int argc, wchar_t** argv) {
    using velnix::windows_platform::Utf8FromWideReplacing;
    wchar_t log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    std::string text;
    for (int i = 1; i < argc; ++i) text += "[" + Utf8FromWideReplacing(argv[i]) + "]\n";
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    text += (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                ? "show=" + std::to_string(startup.wShowWindow) + "\n"
                : std::string("show=none\n");
    wchar_t folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    text += "folder=" + Utf8FromWideReplacing(std::wstring_view(folder, folderLength)) + "\n";

    const std::wstring part = std::wstring(log) + L".part";
    std::ofstream(std::filesystem::path(part), std::ios::binary) << text;
    return MoveFileExW(part.c_str(), log, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
