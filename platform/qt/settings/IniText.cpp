#include "platform/qt/settings/IniText.h"

#include <algorithm>

#include "common/Text.h"

namespace velnix::qt_platform {
namespace {

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
                escaped += c;
        }
    }
    return escaped;
}

// Undoes Escape; any other backslash (a hand-edited Windows path) is kept as it stands.
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
        }
        text += value[i];
    }
    return text;
}

}  // namespace

IniText IniText::Parse(std::string_view text) {
    IniText ini;
    Section* current = nullptr;
    // A file saved by an editor may start with the UTF-8 byte order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    while (!text.empty()) {
        // Lines end with a line feed, a carriage return or both: a carriage return of a value
        // is always written escaped, so a raw one can only end a line.
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            const std::string name(TrimBlanks(trimmed.substr(1, trimmed.size() - 2)));
            auto found =
                std::find_if(ini.sections_.begin(), ini.sections_.end(),
                             [&](const Section& s) { return EqualsIgnoreCase(s.name, name); });
            current = found != ini.sections_.end() ? &*found
                                                   : &ini.sections_.emplace_back(Section{name, {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) continue;
        const std::string key(TrimBlanks(line.substr(0, equals)));
        const std::string value = Unescape(line.substr(equals + 1));
        auto found =
            std::find_if(current->keys.begin(), current->keys.end(),
                         [&](const auto& entry) { return EqualsIgnoreCase(entry.first, key); });
        if (found != current->keys.end()) {
            found->second = value;
        } else {
            current->keys.emplace_back(key, value);
        }
    }
    return ini;
}

std::string IniText::Serialise() const {
    std::string text;
    for (const Section& section : sections_) {
        if (!text.empty()) text += '\n';
        text += '[' + section.name + "]\n";
        for (const auto& [key, value] : section.keys) text += key + '=' + Escape(value) + '\n';
    }
    return text;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    for (const Section& s : sections_) {
        if (!EqualsIgnoreCase(s.name, section)) continue;
        for (const auto& [k, v] : s.keys) {
            if (EqualsIgnoreCase(k, key)) return v;
        }
    }
    return std::nullopt;
}

void IniText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& s) { return EqualsIgnoreCase(s.name, section); });
    if (found == sections_.end()) {
        sections_.push_back(Section{std::string(section), {}});
        found = sections_.end() - 1;
    }
    for (auto& [k, v] : found->keys) {
        if (EqualsIgnoreCase(k, key)) {
            v = std::string(value);
            return;
        }
    }
    found->keys.emplace_back(std::string(key), std::string(value));
}

}  // namespace velnix::qt_platform
