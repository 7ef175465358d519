#include "testsupport/FakeRegistry.h"

#include <algorithm>
#include <cstring>

namespace velnix::testing {

namespace {
std::string Folded(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}
}  // namespace

int32_t FakeRegistry::OpenKey(reg::HKey key, std::string_view subKey, uint32_t access,
                              reg::HKey& result) {
    opens.push_back({std::string(subKey), access});
    const std::string path = Folded(subKey);
    if (key != reg::kHKeyLocalMachine || !keys_.contains(path)) return reg::kErrorFileNotFound;
    if ((access & reg::kKeyChangeRights) != 0 && writeDenied.contains(path)) {
        return reg::kErrorAccessDenied;
    }
    result = nextHandle_++;
    handles_[result] = path;
    openHandles.insert(result);
    return reg::kErrorSuccess;
}

int32_t FakeRegistry::QueryValue(reg::HKey key, std::string_view valueName, uint32_t& type,
                                 uint8_t* data, uint32_t& size) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return reg::kErrorInvalidHandle;
    const Values& values = keys_[handle->second];
    const auto value = values.find(Folded(valueName));
    if (value == values.end()) return reg::kErrorFileNotFound;
    type = value->second.type;
    const auto needed = static_cast<uint32_t>(value->second.data.size());
    if (data == nullptr) {
        size = needed;
        return reg::kErrorSuccess;
    }
    if (dataReadStatus != 0) return dataReadStatus;
    if (size < needed) {
        size = needed;
        return reg::kErrorMoreData;
    }
    if (needed > 0) std::memcpy(data, value->second.data.data(), needed);
    size = needed;
    return reg::kErrorSuccess;
}

int32_t FakeRegistry::SetValue(reg::HKey key, std::string_view valueName, uint32_t type,
                               const uint8_t* data, uint32_t size) {
    ++sets;
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return reg::kErrorInvalidHandle;
    if (setStatus != 0) return setStatus;
    keys_[handle->second][Folded(valueName)] = Value{type, std::vector<uint8_t>(data, data + size)};
    return reg::kErrorSuccess;
}

int32_t FakeRegistry::DeleteValue(reg::HKey key, std::string_view valueName) {
    ++deletes;
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return reg::kErrorInvalidHandle;
    if (deleteStatus != 0) return deleteStatus;
    return keys_[handle->second].erase(Folded(valueName)) == 1 ? reg::kErrorSuccess
                                                               : reg::kErrorFileNotFound;
}

int32_t FakeRegistry::CloseKey(reg::HKey key) {
    ++closes;
    if (handles_.erase(key) == 0) return reg::kErrorInvalidHandle;
    openHandles.erase(key);
    return reg::kErrorSuccess;
}

void FakeRegistry::AddKey(std::string_view path) { keys_[Folded(path)]; }

void FakeRegistry::PutText(std::string_view path, std::string_view name, std::string_view text,
                           uint32_t type) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    PutBytes(path, name, type, std::move(bytes));
}

void FakeRegistry::PutDword(std::string_view path, std::string_view name, uint32_t number) {
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &number, 4);
    PutBytes(path, name, reg::kRegDword, std::move(bytes));
}

void FakeRegistry::PutBytes(std::string_view path, std::string_view name, uint32_t type,
                            std::vector<uint8_t> bytes) {
    keys_[Folded(path)][Folded(name)] = Value{type, std::move(bytes)};
}

std::optional<FakeRegistry::Value> FakeRegistry::Get(std::string_view path,
                                                     std::string_view name) const {
    const auto key = keys_.find(Folded(path));
    if (key == keys_.end()) return std::nullopt;
    const auto value = key->second.find(Folded(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

std::optional<std::string> FakeRegistry::GetText(std::string_view path,
                                                 std::string_view name) const {
    const auto value = Get(path, name);
    if (!value) return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

}  // namespace velnix::testing
