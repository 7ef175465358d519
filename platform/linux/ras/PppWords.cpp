#include "platform/linux/ras/PppWords.h"

#include <cctype>

namespace velnix::linux_platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int DigitValue(char c, int base) {
    const int value = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : (std::isxdigit(static_cast<unsigned char>(c))
                                 ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                 : base);
    return value < base ? value : -1;
}

// Reads the escape after a backslash at text[i] (i is past the backslash); appends its
// character, if any, and advances i.
void ReadEscape(std::string_view text, size_t& i, std::string& word) {
    const char c = text[i++];
    switch (c) {
        case '\n':
            return;  // line continuation
        case 'a':
            word += '\a';
            return;
        case 'b':
            word += '\b';
            return;
        case 'f':
            word += '\f';
            return;
        case 'n':
            word += '\n';
            return;
        case 'r':
            word += '\r';
            return;
        case 's':
            word += ' ';
            return;
        case 't':
            word += '\t';
            return;
        case 'v':
            word += '\v';
            return;
        default:
            break;
    }
    const bool hex = c == 'x';
    const int base = hex ? 16 : 8;
    const int maxDigits = hex ? 2 : 3;
    if (!hex && DigitValue(c, 8) < 0) {
        word += c;
        return;
    }
    int value = hex ? 0 : DigitValue(c, 8);
    for (int digits = hex ? 0 : 1; digits < maxDigits && i < text.size(); ++digits) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        value = value * base + digit;
        ++i;
    }
    word += static_cast<char>(value);
}

}  // namespace

std::string QuotePppWord(std::string_view value) {
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::vector<std::string> SplitPppWords(std::string_view text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '#') {
            while (i < text.size() && text[i] != '\n') ++i;
            continue;
        }
        std::string word;
        char quote = 0;
        while (i < text.size() && (quote != 0 || !IsBlank(text[i]))) {
            const char c = text[i++];
            if (c == '\\' && i < text.size()) {
                ReadEscape(text, i, word);
            } else if (quote != 0 && c == quote) {
                quote = 0;
            } else if (quote == 0 && (c == '"' || c == '\'')) {
                quote = c;
            } else {
                word += c;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace velnix::linux_platform
