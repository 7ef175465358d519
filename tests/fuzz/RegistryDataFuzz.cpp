// The registry layer over whatever data a value holds, of any type and size, even when another
// program rewrites it between the size query and the read: nothing is read or written past the
// room, and a text arrives up to its first NUL.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "config/Registry.h"
#include "config/SystemFacts.h"
#include "config/modRegistry.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix;

namespace {

// One key with one value, by the contract of the registry calls; the value's data may change
// after each query.
class OneValueRegistry : public reg::Registry {
  public:
    uint32_t type = reg::kRegNone;
    std::vector<std::vector<uint8_t>> versions;  // the data, then what each query leaves

    int32_t OpenKey(reg::HKey, std::string_view, uint32_t, reg::HKey& result) override {
        result = 1;
        return reg::kErrorSuccess;
    }
    int32_t QueryValue(reg::HKey key, std::string_view, uint32_t& valueType, uint8_t* data,
                       uint32_t& size) override {
        Require(key == 1, "a value is queried in the key opened");
        const std::vector<uint8_t> bytes = versions[std::min(queries_, versions.size() - 1)];
        ++queries_;
        valueType = type;
        const auto count = static_cast<uint32_t>(bytes.size());
        if (data == nullptr) {
            size = count;
            return reg::kErrorSuccess;
        }
        const uint32_t room = size;
        size = count;
        if (count > room) return reg::kErrorMoreData;
        std::copy(bytes.begin(), bytes.end(), data);
        return reg::kErrorSuccess;
    }
    int32_t SetValue(reg::HKey, std::string_view, uint32_t, const uint8_t*, uint32_t) override {
        return reg::kErrorSuccess;
    }
    int32_t DeleteValue(reg::HKey, std::string_view) override { return reg::kErrorSuccess; }
    int32_t CloseKey(reg::HKey) override { return reg::kErrorSuccess; }

  private:
    size_t queries_ = 0;
};

// A short path of any length, by the contract of GetShortPathName.
class AnyShortPath : public ShortPathApi {
  public:
    std::string shortPath;
    uint32_t ShortPathOf(std::string_view, char* buffer, uint32_t bufferLength) override {
        const auto needed = static_cast<uint32_t>(shortPath.size() + 1);
        if (needed > bufferLength) return needed;
        std::memcpy(buffer, shortPath.c_str(), needed);
        return needed - 1;
    }
};

class NoVersion : public VersionApi {
  public:
    bool ReadVersion(OsVersionInfo&) override { return false; }
};

class AnyProgram : public RunningProgram {
  public:
    std::string Folder() override { return "C:\\Program Files\\Velnix"; }
    std::string Name() override { return "velnix"; }
    std::string Extension() override { return ".exe"; }
    char Separator() override { return '\\'; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    OneValueRegistry registry;
    AnyShortPath shortPath;
    NoVersion version;
    AnyProgram program;
    registry.type = input.ConsumeIntegralInRange<uint32_t>(0, 8);
    shortPath.shortPath = input.ConsumeRandomLengthString(400);
    const bool textOutput = input.ConsumeBool();
    registry.versions.resize(input.ConsumeIntegralInRange<size_t>(1, 3));
    for (std::vector<uint8_t>& bytes : registry.versions) {
        bytes = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 300));
    }

    modRegistry module(registry, shortPath, version, program);
    module.BuildExePath();
    RegValue output = textOutput ? RegValue(std::string("avant")) : RegValue(int32_t{7});
    const int32_t status = module.QueryValue(reg::kHKeyLocalMachine, "Software", "Velnix", output);

    // What the read saw: the second version of the data (the first told its size).
    const std::vector<uint8_t>& read =
        registry.versions[std::min<size_t>(1, registry.versions.size() - 1)];
    const bool fits = registry.type == reg::kRegSz ? read.size() <= registry.versions[0].size()
                                                   : read.size() <= 4;
    if (registry.type != reg::kRegSz && registry.type != reg::kRegDword) {
        Require(status == reg::kErrorSuccess &&
                    output == (textOutput ? RegValue(std::string("avant")) : RegValue(int32_t{7})),
                "a value of another type leaves the output");
    } else if (!fits) {
        Require(status == reg::kErrorMoreData, "data grown past the room is not read");
    } else if (registry.type == reg::kRegSz) {
        const std::string text(read.begin(), read.end());
        Require(status == reg::kErrorSuccess && output == RegValue(text.substr(0, text.find('\0'))),
                "a text arrives up to its first NUL");
    } else {
        Require(status == reg::kErrorSuccess &&
                    std::holds_alternative<std::string>(output) == textOutput,
                "a number arrives as a number, or as text into a text");
    }
    return 0;
}
