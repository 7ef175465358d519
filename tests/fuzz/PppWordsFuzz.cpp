// The password's way to pppd: the dial command line, split by the launcher, which hands the
// password to the dialer's standard input; the dialer reads it back less its line feed and writes
// pppd's option line, whose words read back the exact password. Any text splits into pppd's words,
// and every word quoted again reads back unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/DialCommand.h"
#include "platform/linux/process/CommandLine.h"
#include "platform/linux/process/DialerPassword.h"
#include "platform/linux/ras/PppWords.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix;
using namespace velnix::linux_platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string password = input.ConsumeRandomLengthString(256);
    std::string entry = input.ConsumeRandomLengthString(64);
    std::string login = input.ConsumeRandomLengthString(64);
    std::erase(entry, '\0');  // they stay on the dialer's command line
    std::erase(login, '\0');

    std::vector<std::string> arguments = SplitCommandLine(DialCommandLine(entry, login, password));
    const std::optional<std::string> standardInput = TakeDialerPassword(arguments);
    Require(arguments == std::vector<std::string>{"rasdial.exe", entry, login, "*"},
            "the dialer's command line holds no password");
    Require(standardInput && standardInput->ends_with('\n'), "the password goes to the input");
    const std::string read = standardInput->substr(0, standardInput->size() - 1);
    const std::vector<std::string> option = SplitPppWords("password " + QuotePppWord(read) + "\n");
    Require(option == std::vector<std::string>{"password", password},
            "pppd's option line reads back the password");

    for (const std::string& word : SplitPppWords(input.ConsumeRemainingBytesAsString())) {
        Require(SplitPppWords(QuotePppWord(word)) == std::vector<std::string>{word},
                "a word quoted again reads back unchanged");
    }
    return 0;
}
