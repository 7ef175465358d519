#include "config/BooleanText.h"

#include <cctype>

#include "common/Errors.h"
#include "common/Text.h"

namespace velnix {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Numeric text: an optional sign, digits with an optional decimal part (point or comma) and an
// optional exponent, or a "&H" hexadecimal / "&O" octal literal. Sets `nonZero` on success.
bool ParseNumber(std::string_view text, bool& nonZero) {
    nonZero = false;
    size_t i = 0;
    if (text.size() > 2 && text[0] == '&') {
        const char base = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
        if (base != 'H' && base != 'O') return false;
        for (i = 2; i < text.size(); ++i) {
            const char c = text[i];
            const bool ok = base == 'H' ? IsHexDigit(c) : (c >= '0' && c <= '7');
            if (!ok) return false;
            if (c != '0') nonZero = true;
        }
        return true;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        if (text[i] != '0') nonZero = true;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            if (text[i] != '0') nonZero = true;
        }
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        size_t expDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == text.size();
}

}  // namespace

std::string BooleanWord(bool value) { return value ? "True" : "False"; }

bool ParseBoolean(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoreCase(trimmed, "True")) return true;
    if (EqualsIgnoreCase(trimmed, "False")) return false;
    bool nonZero = false;
    if (ParseNumber(trimmed, nonZero)) return nonZero;
    throw TypeMismatchError("« " + std::string(text) + " » n'est pas une valeur booléenne");
}

}  // namespace velnix
