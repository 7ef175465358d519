#include "testsupport/FakeSettingsStore.h"

#include "common/Errors.h"

namespace velnix::testing {

std::string FakeSettingsStore::Read(std::string_view application, std::string_view section,
                                    std::string_view key, std::string_view defaultValue) {
    ++reads;
    if (failReads) throw SettingsError("lecture impossible");
    const auto found =
        values_.find(Address{std::string(application), std::string(section), std::string(key)});
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

void FakeSettingsStore::Write(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view value) {
    ++writes;
    if (failWrites) throw SettingsError("écriture impossible");
    Set(application, section, key, value);
}

void FakeSettingsStore::Set(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view value) {
    values_[Address{std::string(application), std::string(section), std::string(key)}] =
        std::string(value);
}

bool FakeSettingsStore::Has(std::string_view application, std::string_view section,
                            std::string_view key) const {
    return values_.contains(
        Address{std::string(application), std::string(section), std::string(key)});
}

std::string FakeSettingsStore::Get(std::string_view application, std::string_view section,
                                   std::string_view key) const {
    return values_.at(Address{std::string(application), std::string(section), std::string(key)});
}

}  // namespace velnix::testing
