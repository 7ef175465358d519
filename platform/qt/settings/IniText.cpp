#include "platform/qt/settings/IniText.h"

#include "common/Text.h"

namespace velnix::qt_platform {
namespace {

// The control characters a value cannot hold as they are: those of a binary file.
bool IsEscapedControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Escape(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                if (IsEscapedControl(static_cast<unsigned char>(c))) {
                    constexpr std::string_view kHex = "0123456789ABCDEF";
                    const auto byte = static_cast<unsigned char>(c);
                    escaped += "\\x";
                    escaped += kHex[byte >> 4];
                    escaped += kHex[byte & 0xF];
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

// Undoes Escape; any other backslash (a hand-edited Windows path) is kept as it stands, \x41
// too: only a control character is read from \xHH.
std::string Unescape(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[i + 1];
            if (next == '\\' || next == 'n' || next == 'r') {
                text += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
                ++i;
                continue;
            }
            if (next == 'x' && i + 3 < value.size()) {
                const int high = HexDigitValue(value[i + 2]);
                const int low = HexDigitValue(value[i + 3]);
                if (high >= 0 && low >= 0 &&
                    IsEscapedControl(static_cast<unsigned char>(high * 16 + low))) {
                    text += static_cast<char>(high * 16 + low);
                    i += 3;
                    continue;
                }
            }
        }
        text += value[i];
    }
    return text;
}

enum class LineKind { Other, Section, Key };

// What a line of the file is: a section header with its name, a key with its name and the place
// of its "=", or anything else (blank, comment, text without "=").
struct LineMeaning {
    LineKind kind = LineKind::Other;
    std::string_view name;
    size_t equals = 0;
};

LineMeaning Meaning(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return {};
    if (trimmed.front() == '[' && trimmed.back() == ']') {
        return {LineKind::Section, TrimBlanks(trimmed.substr(1, trimmed.size() - 2))};
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineKind::Key, TrimBlanks(line.substr(0, equals)), equals};
}

}  // namespace

IniText IniText::Parse(std::string_view text) {
    IniText ini;
    // A file saved by an editor may start with the UTF-8 byte order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        ini.byteOrderMark_ = kByteOrderMark;
        text.remove_prefix(kByteOrderMark.size());
    }
    while (!text.empty()) {
        // Lines end with a line feed, a carriage return or both: a carriage return of a value
        // is always written escaped, so a raw one can only end a line.
        const size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            ini.lines_.push_back({std::string(text), {}});
            break;
        }
        const size_t endLength = text.substr(end, 2) == "\r\n" ? 2 : 1;
        ini.lines_.push_back(
            {std::string(text.substr(0, end)), std::string(text.substr(end, endLength))});
        text.remove_prefix(end + endLength);
    }
    return ini;
}

std::string IniText::Serialise() const {
    std::string text = byteOrderMark_;
    for (const Line& line : lines_) text += line.text + line.end;
    return text;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    std::optional<std::string> value;
    bool inSection = false;
    for (const Line& line : lines_) {
        const LineMeaning meaning = Meaning(line.text);
        if (meaning.kind == LineKind::Section) {
            inSection = EqualsIgnoreCase(meaning.name, section);
        } else if (inSection && meaning.kind == LineKind::Key &&
                   EqualsIgnoreCase(meaning.name, key)) {
            value = Unescape(std::string_view(line.text).substr(meaning.equals + 1));
        }
    }
    return value;
}

void IniText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    // The line that Value reads, and the last key or header of the section's last part.
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t keyLine = kNone;
    size_t equals = 0;
    size_t lastOfSection = kNone;
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind == LineKind::Section) {
            inSection = EqualsIgnoreCase(meaning.name, section);
            if (inSection) lastOfSection = i;
        } else if (inSection && meaning.kind == LineKind::Key) {
            lastOfSection = i;
            if (EqualsIgnoreCase(meaning.name, key)) {
                keyLine = i;
                equals = meaning.equals;
            }
        }
    }
    if (keyLine != kNone) {
        std::string& text = lines_[keyLine].text;
        text.resize(equals + 1);
        text += Escape(value);
        return;
    }

    const std::string end = LineEnd();
    Line entry{std::string(key) + '=' + Escape(value), end};
    if (lastOfSection != kNone) {
        // After the section's last key, with that line's end (none at the end of the file).
        Line& previous = lines_[lastOfSection];
        entry.end = previous.end;
        if (previous.end.empty()) previous.end = end;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastOfSection) + 1,
                      std::move(entry));
        return;
    }
    // A new section at the end of the file, after a blank line.
    if (!lines_.empty()) {
        if (lines_.back().end.empty()) lines_.back().end = end;
        if (!TrimBlanks(lines_.back().text).empty()) lines_.push_back({{}, end});
    }
    lines_.push_back({'[' + std::string(section) + ']', end});
    lines_.push_back(std::move(entry));
}

// The end of the file's first line, for the lines a change adds.
const std::string& IniText::LineEnd() const {
    static const std::string kLineFeed = "\n";
    for (const Line& line : lines_) {
        if (!line.end.empty()) return line.end;
    }
    return kLineFeed;
}

}  // namespace velnix::qt_platform
