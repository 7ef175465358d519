#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "config/Registry.h"
#include "config/SystemFacts.h"

namespace velnix {

// A value handed to or received from the registry procedures: a 16-bit or 32-bit integer or a
// text are stored; any other kind (none, boolean, floating point) is not.
using RegValue = std::variant<std::monostate, bool, int16_t, int32_t, double, std::string>;

// The program's layer over the registry, and the facts the start entry needs. Every procedure
// opens the key it needs and closes it before returning; only `ExePath` survives a call.
// Nothing here throws or shows a message: failures come back as status codes.
class modRegistry {
  public:
    modRegistry(reg::Registry& registry, ShortPathApi& shortPath, VersionApi& version,
                RunningProgram& program);

    // The open's status if the key cannot be opened for writing, else the close's status; the
    // deletion's own outcome is not reported.
    int32_t DeleteValue(reg::HKey root, std::string_view keyPath, std::string_view valueName);

    // Integers are written as REG_DWORD, texts as REG_SZ with their NUL; other kinds write
    // nothing. Returns as DeleteValue does.
    int32_t SetKeyValue(reg::HKey root, std::string_view keyPath, std::string_view valueName,
                        const RegValue& data);

    void SetStringValue(reg::HKey root, std::string_view keyPath, std::string_view valueName,
                        std::string_view text);

    // 0 when the key opened, the value exists and, for a text or number, its data was read.
    // A text arrives as text; a number as a 32-bit integer, or as its decimal text when
    // `output` holds a text. Values of other types leave `output` unchanged.
    int32_t QueryValue(reg::HKey root, std::string_view keyPath, std::string_view valueName,
                       RegValue& output);
    // The same for a text output, such as ExePath.
    int32_t QueryValue(reg::HKey root, std::string_view keyPath, std::string_view valueName,
                       std::string& output);

    // The text up to its first NUL.
    static std::string CutAtNul(std::string_view text);

    // Sets ExePath to the program's start command: its folder in short form, the separator,
    // its name and extension; enclosed in double quotes when it holds a blank.
    void BuildExePath();

    // The short form of `path`, or `path` itself when the system cannot give one.
    std::string GetShortPath(const std::string& path);

    bool IsWindowsNT();

    std::string ExePath;

  private:
    reg::Registry& registry_;
    ShortPathApi& shortPath_;
    VersionApi& version_;
    RunningProgram& program_;
};

}  // namespace velnix
