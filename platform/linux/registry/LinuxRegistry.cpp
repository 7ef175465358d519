#include "platform/linux/registry/LinuxRegistry.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "common/Text.h"
#include "config/RegistryKeys.h"
#include "platform/linux/SystemRoot.h"
#include "platform/linux/process/CommandLine.h"
#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/registry/DesktopEntry.h"
#include "platform/linux/registry/StartCommand.h"
#include "platform/linux/registry/SysInfoTool.h"

namespace velnix::linux_platform {

namespace fs = std::filesystem;

namespace {

fs::path AutostartFolder() { return UnderRoot("/etc/xdg/autostart"); }
fs::path StartEntryFile() { return AutostartFolder() / "Velnix.desktop"; }

bool IsDenial(const std::error_code& error) {
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
           error == std::errc::read_only_file_system;
}

// Whether this process may create and replace files in `folder`, or in the nearest folder above
// it that exists when it does not yet.
bool CanWriteInto(fs::path folder) {
    std::error_code error;
    while (!fs::exists(folder, error) && folder.has_relative_path()) folder = folder.parent_path();
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// The start command of the autostart entry, nothing when there is none.
int32_t ReadStartCommand(std::optional<std::string>& command) {
    command.reset();
    std::error_code error;
    const fs::path file = StartEntryFile();
    if (!fs::is_regular_file(file, error)) return reg::kErrorSuccess;  // a FIFO, a device, ...
    const std::optional<std::string> text = ReadSmallFile(file);
    if (!text)
        return ::access(file.c_str(), R_OK) != 0 ? reg::kErrorAccessDenied : reg::kErrorReadFault;
    const DesktopEntryFacts facts = ParseDesktopEntry(*text);
    if (!facts.hidden) command = StartCommandLine(ParseDesktopExecValue(facts.exec));
    return reg::kErrorSuccess;
}

// Replaces the entry as a whole: a new file is written beside it and renamed over it.
int32_t WriteStartCommand(std::string_view command) {
    std::error_code error;
    const fs::path folder = AutostartFolder();
    fs::create_directories(folder, error);
    if (error) return IsDenial(error) ? reg::kErrorAccessDenied : reg::kErrorWriteFault;
    const fs::path file = StartEntryFile();
    const fs::path draft = folder / ".Velnix.desktop.new";
    {
        std::ofstream out(draft, std::ios::binary | std::ios::trunc);
        if (!out) return CanWriteInto(folder) ? reg::kErrorWriteFault : reg::kErrorAccessDenied;
        out << AutostartDesktopEntry(SplitCommandLine(command));
        out.close();
        if (!out) {
            fs::remove(draft, error);
            return reg::kErrorWriteFault;
        }
    }
    fs::permissions(draft,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    error);
    fs::rename(draft, file, error);
    if (error) {
        std::error_code ignored;
        fs::remove(draft, ignored);
        return IsDenial(error) ? reg::kErrorAccessDenied : reg::kErrorWriteFault;
    }
    return reg::kErrorSuccess;
}

// Hands `text` and its NUL over by the query's contract.
int32_t AnswerText(const std::string& text, uint32_t& type, uint8_t* data, uint32_t& size) {
    type = reg::kRegSz;
    const uint32_t needed = static_cast<uint32_t>(text.size() + 1);
    if (data == nullptr) {
        size = needed;
        return reg::kErrorSuccess;
    }
    if (size < needed) {
        size = needed;
        return reg::kErrorMoreData;
    }
    std::memcpy(data, text.c_str(), needed);
    size = needed;
    return reg::kErrorSuccess;
}

}  // namespace

int32_t LinuxRegistry::OpenKey(reg::HKey key, std::string_view subKey, uint32_t access,
                               reg::HKey& result) {
    if (key != reg::kHKeyLocalMachine) return reg::kErrorFileNotFound;
    Mapped mapped;
    if (EqualsIgnoreCase(subKey, startentry::kRunKey)) {
        mapped = Mapped::Autostart;
        if ((access & reg::kKeyChangeRights) != 0 && !CanWriteInto(AutostartFolder())) {
            return reg::kErrorAccessDenied;
        }
    } else if (EqualsIgnoreCase(subKey, sysinfo::kKey)) {
        mapped = Mapped::SysInfo;
        if ((access & reg::kKeyChangeRights) != 0) return reg::kErrorAccessDenied;
    } else {
        return reg::kErrorFileNotFound;
    }
    result = nextHandle_++;
    opened_[result] = OpenedKey{mapped, access};
    return reg::kErrorSuccess;
}

int32_t LinuxRegistry::QueryValue(reg::HKey key, std::string_view valueName, uint32_t& type,
                                  uint8_t* data, uint32_t& size) {
    const auto found = opened_.find(key);
    if (found == opened_.end()) return reg::kErrorInvalidHandle;
    if ((found->second.access & reg::kKeyQueryValue) == 0) return reg::kErrorAccessDenied;
    std::optional<std::string> text;
    if (found->second.mapped == Mapped::Autostart &&
        EqualsIgnoreCase(valueName, startentry::kValueName)) {
        const int32_t status = ReadStartCommand(text);
        if (status != reg::kErrorSuccess) return status;
    } else if (found->second.mapped == Mapped::SysInfo &&
               EqualsIgnoreCase(valueName, sysinfo::kValue)) {
        if (const auto tool = FindSysInfoTool()) text = StartCommandLine({*tool});
    }
    if (!text) return reg::kErrorFileNotFound;
    return AnswerText(*text, type, data, size);
}

int32_t LinuxRegistry::SetValue(reg::HKey key, std::string_view valueName, uint32_t type,
                                const uint8_t* data, uint32_t size) {
    const auto found = opened_.find(key);
    if (found == opened_.end()) return reg::kErrorInvalidHandle;
    if ((found->second.access & reg::kKeySetValue) == 0 ||
        found->second.mapped != Mapped::Autostart ||
        !EqualsIgnoreCase(valueName, startentry::kValueName)) {
        return reg::kErrorAccessDenied;
    }
    if (type != reg::kRegSz) return reg::kErrorInvalidParameter;
    const std::string_view bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
    return WriteStartCommand(bytes.substr(0, bytes.find('\0')));
}

int32_t LinuxRegistry::DeleteValue(reg::HKey key, std::string_view valueName) {
    const auto found = opened_.find(key);
    if (found == opened_.end()) return reg::kErrorInvalidHandle;
    if ((found->second.access & reg::kKeySetValue) == 0) return reg::kErrorAccessDenied;
    if (found->second.mapped != Mapped::Autostart ||
        !EqualsIgnoreCase(valueName, startentry::kValueName)) {
        return reg::kErrorFileNotFound;
    }
    std::error_code error;
    if (!fs::remove(StartEntryFile(), error)) {
        if (!error) return reg::kErrorFileNotFound;
        return IsDenial(error) ? reg::kErrorAccessDenied : reg::kErrorWriteFault;
    }
    return reg::kErrorSuccess;
}

int32_t LinuxRegistry::CloseKey(reg::HKey key) {
    if (key >= reg::kHKeyClassesRoot) return reg::kErrorSuccess;  // the roots stay open
    return opened_.erase(key) == 1 ? reg::kErrorSuccess : reg::kErrorInvalidHandle;
}

}  // namespace velnix::linux_platform
