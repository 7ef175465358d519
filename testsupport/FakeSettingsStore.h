#pragma once

#include <map>
#include <string>
#include <tuple>

#include "config/SettingsStore.h"

namespace velnix::testing {

// An in-memory settings store that counts its reads and writes and can be made to fail.
class FakeSettingsStore : public SettingsStore {
  public:
    std::string Read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view defaultValue) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;

    void Set(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value);
    bool Has(std::string_view application, std::string_view section, std::string_view key) const;
    std::string Get(std::string_view application, std::string_view section,
                    std::string_view key) const;

    int reads = 0;
    int writes = 0;
    bool failReads = false;
    bool failWrites = false;

  private:
    using Address = std::tuple<std::string, std::string, std::string>;
    std::map<Address, std::string> values_;
};

}  // namespace velnix::testing
