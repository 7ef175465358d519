#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/Registry.h"

namespace velnix::testing {

// A registry in memory with the contract of the Windows calls. It records every open (with the
// rights asked) and every close, so a test can check that each key opened was closed, and it
// can refuse write rights on a key or fail the calls that follow an open.
class FakeRegistry : public reg::Registry {
  public:
    struct Value {
        uint32_t type = reg::kRegNone;
        std::vector<uint8_t> data;
    };
    struct Open {
        std::string path;
        uint32_t access;
    };

    int32_t OpenKey(reg::HKey key, std::string_view subKey, uint32_t access,
                    reg::HKey& result) override;
    int32_t QueryValue(reg::HKey key, std::string_view valueName, uint32_t& type, uint8_t* data,
                       uint32_t& size) override;
    int32_t SetValue(reg::HKey key, std::string_view valueName, uint32_t type, const uint8_t* data,
                     uint32_t size) override;
    int32_t DeleteValue(reg::HKey key, std::string_view valueName) override;
    int32_t CloseKey(reg::HKey key) override;

    // Setting up: keys live under HKEY_LOCAL_MACHINE; paths and names ignore case.
    void AddKey(std::string_view path);
    void PutText(std::string_view path, std::string_view name, std::string_view text,
                 uint32_t type = reg::kRegSz);  // stored with its NUL
    void PutDword(std::string_view path, std::string_view name, uint32_t number);
    void PutBytes(std::string_view path, std::string_view name, uint32_t type,
                  std::vector<uint8_t> bytes);
    std::optional<Value> Get(std::string_view path, std::string_view name) const;
    // The value's data as text, without its closing NUL.
    std::optional<std::string> GetText(std::string_view path, std::string_view name) const;

    // Rights to change these keys are refused (5), as for a user without administrator rights.
    std::set<std::string> writeDenied;
    // When not 0, the status of every write, deletion, or read of data into a buffer.
    int32_t setStatus = 0;
    int32_t deleteStatus = 0;
    int32_t dataReadStatus = 0;

    std::vector<Open> opens;
    int closes = 0;
    int sets = 0;
    int deletes = 0;
    std::set<reg::HKey> openHandles;

  private:
    using Values = std::map<std::string, Value>;
    std::map<std::string, Values> keys_;
    std::map<reg::HKey, std::string> handles_;
    reg::HKey nextHandle_ = 0x10;
};

}  // namespace velnix::testing
