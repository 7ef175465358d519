#include "platform/linux/process/CommandLine.h"

namespace velnix::linux_platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(std::string_view text, size_t& i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
}

// Reads the run of backslashes at text[i] into `word`: before a double quote, 2n give n
// backslashes (the quote is left to the caller) and 2n+1 give n and a literal quote.
void ReadBackslashes(std::string_view text, size_t& i, std::string& word) {
    size_t backslashes = 0;
    while (i < text.size() && text[i] == '\\') {
        ++backslashes;
        ++i;
    }
    const bool beforeQuote = i < text.size() && text[i] == '"';
    word.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
    if (beforeQuote && backslashes % 2 == 1) {
        word += '"';
        ++i;
    }
}

std::string ProgramName(std::string_view text, size_t& i) {
    std::string name;
    if (text[i] != '"') {
        while (i < text.size() && !IsBlank(text[i])) name += text[i++];
        return name;
    }
    for (++i; i < text.size() && text[i] != '"';) {
        if (text[i] == '\\') {
            ReadBackslashes(text, i, name);
        } else {
            name += text[i++];
        }
    }
    if (i < text.size()) ++i;
    return name;
}

std::string Argument(std::string_view text, size_t& i) {
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
        const char c = text[i];
        if (c == '\\') {
            ReadBackslashes(text, i, argument);
        } else if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                argument += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else {
            argument += c;
            ++i;
        }
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    size_t i = 0;
    SkipBlanks(commandLine, i);
    if (i == commandLine.size()) return words;
    words.push_back(ProgramName(commandLine, i));
    for (SkipBlanks(commandLine, i); i < commandLine.size(); SkipBlanks(commandLine, i)) {
        words.push_back(Argument(commandLine, i));
    }
    return words;
}

}  // namespace velnix::linux_platform
