#include "common/Text.h"

#include <cstdint>

namespace velnix {
namespace {

// Reads one character at `i`, folded to lower case; advances `i`. Returns a code that is
// equal for two characters exactly when they are equal without regard to case.
uint32_t NextFolded(std::string_view s, size_t& i) {
    const auto c = static_cast<unsigned char>(s[i++]);
    if (c >= 'A' && c <= 'Z') return c + 0x20u;
    // Latin-1 supplement letters arrive as C3 80..C3 BF.
    if (c == 0xC3 && i < s.size()) {
        const auto next = static_cast<unsigned char>(s[i]);
        if (next >= 0x80 && next <= 0xBF) {
            ++i;
            uint32_t code = 0xC0u + (next - 0x80u);
            if (code >= 0xC0 && code <= 0xDE && code != 0xD7) code += 0x20;
            return 0x10000u + code;
        }
    }
    return c;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace velnix
