#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velnix::qt_platform {

// The text of a settings file: sections of keys with raw text values, in file order.
//   [Section]
//   Key=value
// A value is everything after the first "=", blanks and commas included; a backslash, a line
// feed and a carriage return are written as \\, \n and \r so that any text survives.
// A file may start with a UTF-8 byte order mark and end its lines with CR LF, LF or CR alone.
// Section and key names are matched without regard to letter case, as the Windows store does;
// a name keeps the spelling it has in the file.
class IniText {
  public:
    static IniText Parse(std::string_view text);
    std::string Serialise() const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
};

}  // namespace velnix::qt_platform
