// rasapi32.dll for the tests: the three calls the program makes, with the system's records, sizes
// and result codes, over a phone book and links that a test writes into the file named by
// VELNIX_FAKE_RAS_STATE, read anew on every call. One item a line, UTF-8, fields between tabs:
//   entry <name>
//   link <handle in hexadecimal> <entry> <bytes received> <bytes sent> <duration in ms>
#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/windows/system/WideText.h"

namespace {

using velnix::windows_platform::WideFromUtf8;
using EntryRecord = RASENTRYNAMEW;  // the headers name the records through macros
using ConnectionRecord = RASCONNW;

struct Link {
    uint64_t handle = 0;
    std::wstring entry;
    DWORD received = 0;
    DWORD sent = 0;
    DWORD durationMs = 0;
};

struct State {
    std::vector<std::wstring> entries;
    std::vector<Link> links;
};

State ReadState() {
    State state;
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return state;
    std::ifstream file{std::filesystem::path(path)};
    std::string line;
    while (std::getline(file, line)) {
        std::vector<std::string> fields;
        std::istringstream words(line);
        for (std::string field; std::getline(words, field, '\t');) fields.push_back(field);
        if (fields.size() == 2 && fields[0] == "entry") {
            state.entries.push_back(WideFromUtf8(fields[1]).value_or(L"?"));
        } else if (fields.size() == 6 && fields[0] == "link") {
            state.links.push_back({std::stoull(fields[1], nullptr, 16),
                                   WideFromUtf8(fields[2]).value_or(L"?"),
                                   static_cast<DWORD>(std::stoul(fields[3])),
                                   static_cast<DWORD>(std::stoul(fields[4])),
                                   static_cast<DWORD>(std::stoul(fields[5]))});
        }
    }
    return state;
}

template <size_t Room>
void Copy(WCHAR (&field)[Room], const std::wstring& text) {
    wcsncpy(field, text.c_str(), Room - 1);
    field[Room - 1] = L'\0';
}

// The system's room rule: every record or none.
template <typename Record>
DWORD Fits(const Record* records, size_t listed, LPDWORD bytes, LPDWORD count) {
    if (bytes == nullptr || count == nullptr) return ERROR_INVALID_PARAMETER;
    if (records != nullptr && records->dwSize != sizeof(Record)) return ERROR_INVALID_SIZE;
    const auto needed = static_cast<DWORD>(listed * sizeof(Record));
    *count = static_cast<DWORD>(listed);
    if (records == nullptr || *bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    *bytes = needed;
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI
    RasEnumEntriesW(LPCWSTR, LPCWSTR, LPRASENTRYNAMEW entries, LPDWORD bytes, LPDWORD count) {
    const State state = ReadState();
    const DWORD result = Fits(entries, state.entries.size(), bytes, count);
    if (result != ERROR_SUCCESS) return result;
    for (size_t i = 0; i < state.entries.size(); ++i) {
        entries[i] = EntryRecord{};
        entries[i].dwSize = sizeof(RASENTRYNAMEW);
        Copy(entries[i].szEntryName, state.entries[i]);
    }
    return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD WINAPI
    RasEnumConnectionsW(LPRASCONNW connections, LPDWORD bytes, LPDWORD count) {
    const State state = ReadState();
    const DWORD result = Fits(connections, state.links.size(), bytes, count);
    if (result != ERROR_SUCCESS) return result;
    for (size_t i = 0; i < state.links.size(); ++i) {
        connections[i] = ConnectionRecord{};
        connections[i].dwSize = sizeof(RASCONNW);
        connections[i].hrasconn = reinterpret_cast<HRASCONN>(state.links[i].handle);
        Copy(connections[i].szEntryName, state.links[i].entry);
        Copy(connections[i].szDeviceType, L"pppoe");
        Copy(connections[i].szDeviceName, L"WAN Miniport (PPPOE)");
    }
    return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD WINAPI
    RasGetConnectionStatistics(HRASCONN connection, RAS_STATS* statistics) {
    if (statistics == nullptr || statistics->dwSize != sizeof(RAS_STATS)) {
        return ERROR_INVALID_SIZE;
    }
    for (const Link& link : ReadState().links) {
        if (link.handle != reinterpret_cast<uint64_t>(connection)) continue;
        *statistics = RAS_STATS{};
        statistics->dwSize = sizeof(RAS_STATS);
        statistics->dwBytesRcved = link.received;
        statistics->dwBytesXmited = link.sent;
        statistics->dwConnectDuration = link.durationMs;
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_HANDLE;
}

}  // extern "C"
