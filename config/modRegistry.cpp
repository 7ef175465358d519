#include "config/modRegistry.h"

#include <cstring>
#include <type_traits>
#include <vector>

#include "common/CommandLine.h"
#include "common/Guarded.h"

namespace velnix {

namespace {

constexpr uint32_t kShortPathRoom = 164;

}  // namespace

modRegistry::modRegistry(reg::Registry& registry, ShortPathApi& shortPath, VersionApi& version,
                         RunningProgram& program)
    : registry_(registry), shortPath_(shortPath), version_(version), program_(program) {}

int32_t modRegistry::DeleteValue(reg::HKey root, std::string_view keyPath,
                                 std::string_view valueName) {
    reg::HKey key = 0;
    int32_t status = registry_.OpenKey(root, keyPath, reg::kKeyWriteAccess, key);
    if (status != reg::kErrorSuccess) return status;
    registry_.DeleteValue(key, valueName);
    return registry_.CloseKey(key);
}

int32_t modRegistry::SetKeyValue(reg::HKey root, std::string_view keyPath,
                                 std::string_view valueName, const RegValue& data) {
    reg::HKey key = 0;
    int32_t status = registry_.OpenKey(root, keyPath, reg::kKeyWriteAccess, key);
    if (status != reg::kErrorSuccess) return status;
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, int16_t> || std::is_same_v<T, int32_t>) {
                int32_t number = value;
                uint8_t bytes[4];
                std::memcpy(bytes, &number, sizeof bytes);
                registry_.SetValue(key, valueName, reg::kRegDword, bytes, sizeof bytes);
            } else if constexpr (std::is_same_v<T, std::string>) {
                registry_.SetValue(key, valueName, reg::kRegSz,
                                   reinterpret_cast<const uint8_t*>(value.c_str()),
                                   static_cast<uint32_t>(value.size() + 1));
            }
        },
        data);
    return registry_.CloseKey(key);
}

void modRegistry::SetStringValue(reg::HKey root, std::string_view keyPath,
                                 std::string_view valueName, std::string_view text) {
    SetKeyValue(root, keyPath, valueName, RegValue(std::string(text)));
}

int32_t modRegistry::QueryValue(reg::HKey root, std::string_view keyPath,
                                std::string_view valueName, RegValue& output) {
    reg::HKey key = 0;
    int32_t status = registry_.OpenKey(root, keyPath, reg::kKeyQueryAccess, key);
    if (status != reg::kErrorSuccess) return status;

    uint32_t type = reg::kRegNone;
    uint32_t size = 0;
    status = registry_.QueryValue(key, valueName, type, nullptr, size);
    if (status != reg::kErrorSuccess) {
        registry_.CloseKey(key);
        return status;
    }

    int32_t readStatus = reg::kErrorSuccess;
    if (type == reg::kRegSz) {
        std::vector<uint8_t> buffer(size + 1, 0);
        readStatus = registry_.QueryValue(key, valueName, type, buffer.data(), size);
        if (readStatus == reg::kErrorSuccess) {
            output = CutAtNul(
                std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
        }
    } else if (type == reg::kRegDword) {
        uint8_t bytes[4] = {};
        uint32_t room = sizeof bytes;
        readStatus = registry_.QueryValue(key, valueName, type, bytes, room);
        if (readStatus == reg::kErrorSuccess) {
            int32_t number = 0;
            std::memcpy(&number, bytes, sizeof number);
            if (std::holds_alternative<std::string>(output)) {
                output = std::to_string(number);
            } else {
                output = number;
            }
        }
    }

    status = registry_.CloseKey(key);
    return readStatus != reg::kErrorSuccess ? readStatus : status;
}

int32_t modRegistry::QueryValue(reg::HKey root, std::string_view keyPath,
                                std::string_view valueName, std::string& output) {
    RegValue value = output;
    int32_t status = QueryValue(root, keyPath, valueName, value);
    output = std::get<std::string>(value);
    return status;
}

std::string modRegistry::CutAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

void modRegistry::BuildExePath() {
    // Each step goes on with what the previous ones left, whatever fails.
    Guarded([&] { ExePath = program_.Folder(); });
    ExePath = GetShortPath(ExePath);
    Guarded([&] {
        const char separator = program_.Separator();
        if (ExePath.empty() || ExePath.back() != separator) ExePath += separator;
    });
    Guarded([&] { ExePath += program_.Name() + program_.Extension(); });
    // A command with a blank would start whatever program its first word names.
    if (ExePath.find_first_of(" \t\"") != std::string::npos) ExePath = QuoteArgument(ExePath);
}

std::string modRegistry::GetShortPath(const std::string& path) {
    try {
        uint32_t room = kShortPathRoom;
        std::vector<char> buffer(room + 1, '\0');
        uint32_t length = shortPath_.ShortPathOf(path, buffer.data(), room);
        if (length > room) {
            // Too small: the system told the room it needs, its NUL included; ask again.
            room = length;
            buffer.assign(room + 1, '\0');
            length = shortPath_.ShortPathOf(path, buffer.data(), room);
        }
        if (length == 0 || length >= room) return path;
        return std::string(buffer.data(), length);
    } catch (...) {
        return path;
    }
}

bool modRegistry::IsWindowsNT() {
    OsVersionInfo info{};
    info.dwOSVersionInfoSize = sizeof(OsVersionInfo);
    try {
        version_.ReadVersion(info);
    } catch (...) {
        return false;
    }
    return info.dwPlatformId == kVerPlatformWin32Nt;
}

}  // namespace velnix
