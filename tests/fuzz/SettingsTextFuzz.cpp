// Any settings file parses, its truth values included; writing a value and reading it back gives
// the value, and the change touches no byte of the file outside the one line it writes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/Errors.h"
#include "common/Text.h"
#include "config/BooleanText.h"
#include "platform/qt/settings/IniText.h"
#include "tests/fuzz/FuzzCheck.h"

using velnix::qt_platform::IniText;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A name the store can address (the program's own): no control character, no blank at either
// end, and for a key no "=" and nothing a line would be read as a comment or a section header
// for.
bool IsName(std::string_view name, bool key) {
    if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
    if (std::any_of(name.begin(), name.end(), IsControl)) return false;
    if (!key) return true;
    return name.find('=') == std::string_view::npos && name.front() != ';' && name.front() != '#' &&
           name.front() != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(256);
    const std::string file = input.ConsumeRemainingBytesAsString();

    IniText ini = IniText::Parse(file);
    Require(ini.Serialise() == file, "an unchanged file is written back byte for byte");
    // A stored truth value is a boolean or a type mismatch, whatever the file holds.
    try {
        velnix::ParseBoolean(ini.Value("Tenaline", "AutoReconnect").value_or("False"));
    } catch (const velnix::TypeMismatchError&) {
    }
    if (!IsName(section, false) || !IsName(key, true)) return 0;

    // What the other keys of the file hold before the write.
    const std::array<std::string, 6> otherKeys = {"AutoReconnect",  "Login",    "PassWord",
                                                  "ConnectionName", "AutoMask", key + "2"};
    const std::string otherSection = section + "2";
    std::array<std::optional<std::string>, 6> before;
    for (size_t i = 0; i < otherKeys.size(); ++i) before[i] = ini.Value(section, otherKeys[i]);
    const std::optional<std::string> elsewhere = ini.Value(otherSection, key);

    ini.SetValue(section, key, value);
    const std::string written = ini.Serialise();
    const IniText reread = IniText::Parse(written);
    Require(reread.Value(section, key) == value, "the value written is read back");
    Require(reread.Value(otherSection, key) == elsewhere, "another section keeps its value");
    for (size_t i = 0; i < otherKeys.size(); ++i) {
        if (velnix::EqualsIgnoreCase(otherKeys[i], key)) continue;
        Require(reread.Value(section, otherKeys[i]) == before[i], "another key keeps its value");
    }

    // The bytes that the write replaced lie within one line.
    size_t prefix = 0;
    while (prefix < file.size() && prefix < written.size() && file[prefix] == written[prefix]) {
        ++prefix;
    }
    size_t suffix = 0;
    while (suffix < file.size() - prefix && suffix < written.size() - prefix &&
           file[file.size() - 1 - suffix] == written[written.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view replaced =
        std::string_view(file).substr(prefix, file.size() - prefix - suffix);
    Require(replaced.find_first_of("\r\n") == std::string_view::npos,
            "no other line of the file changes");
    const std::string_view added =
        std::string_view(written).substr(prefix, written.size() - prefix - suffix);
    Require(
        std::none_of(added.begin(), added.end(),
                     [](char c) { return IsControl(c) && c != '\t' && c != '\r' && c != '\n'; }),
        "a write leaves the file text: no control character but tabs and line ends");
    return 0;
}
