#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velnix::qt_platform {

// The text of a settings file: sections of keys with raw text values.
//   [Section]
//   Key=value
// A value is everything after the first "=", blanks and commas included; a backslash, a line
// feed and a carriage return are written as \\, \n and \r, and any other control character
// but the tab as \xHH (\x01, \x7F), so that any text survives and the file stays text.
// A file may start with a UTF-8 byte order mark and end its lines with CR LF, LF or CR alone.
// Section and key names are matched without regard to letter case, as the Windows store does;
// when a key stands more than once in its section, the last one counts.
//
// The file is kept line by line as it was read: a change rewrites the value of the key's line
// (the text up to its "=" stays) or adds a line to the section, and every other byte of the file
// (comments, blank lines, lines it does not understand, the byte order mark, the line ends)
// comes back unchanged.
class IniText {
  public:
    static IniText Parse(std::string_view text);
    std::string Serialise() const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Line {
        std::string text;
        std::string end;  // "\r\n", "\n", "\r", or empty for a last line without an end
    };
    const std::string& LineEnd() const;

    std::string byteOrderMark_;
    std::vector<Line> lines_;
};

}  // namespace velnix::qt_platform
