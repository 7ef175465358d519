// rasdial.exe for the tests: adds each of its arguments between brackets, how it was asked to
// show its window ("show=" and the SW_ value, or "none") and its working folder, one a line in
// UTF-8, to the file named by VELNIX_FAKE_DIALER_LOG, then ends. The file is replaced whole, so
// a reader never sees half a start.
// With VELNIX_FAKE_RAS_STATE set too (the stand-in rasapi32.dll's state file), it also brings
// the entry's link up ("rasdial <entry> <login> <password>") or down ("rasdial <entry>
// /disconnect") there, the way the system's own dialer would.
// Built as a window program: a console one started by the shell gets a console host of its own,
// which Wine keeps alive a second or two with the test's output open.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/windows/system/WideText.h"

namespace {

std::optional<std::wstring> Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(value, length);
}

std::string Content(const std::wstring& file) {
    std::ifstream in{std::filesystem::path(file), std::ios::binary};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Replace(const std::wstring& file, const std::string& text) {
    const std::wstring part = file + L".part";
    std::ofstream(std::filesystem::path(part), std::ios::binary) << text;
    return MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// The state file without the entry's link, with a new one when it comes up.
bool SetLink(const std::wstring& state, const std::string& entry, bool up) {
    std::istringstream lines(Content(state));
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("link\t", 0) == 0 && line.find("\t" + entry + "\t") != std::string::npos) {
            continue;
        }
        kept += line + "\n";
    }
    if (up) {
        kept += "link\t" + std::to_string(GetCurrentProcessId()) + "\t" + entry + "\t0\t0\t0\n";
    }
    return Replace(state, kept);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using velnix::windows_platform::Utf8FromWideReplacing;
    const std::optional<std::wstring> log = Variable(L"VELNIX_FAKE_DIALER_LOG");
    if (!log) return 2;
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

    if (const std::optional<std::wstring> state = Variable(L"VELNIX_FAKE_RAS_STATE")) {
        const bool hangUp = argc == 3 && std::wstring_view(argv[2]) == L"/disconnect";
        if ((argc == 4 || hangUp) && !SetLink(*state, Utf8FromWideReplacing(argv[1]), !hangUp)) {
            return 1;
        }
    }
    return Replace(*log, Content(*log) + text) ? 0 : 1;
}
