// pppd's words: any text splits; a password handed to pppd as its option line reads back
// exactly, and so does every word quoted again.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "platform/linux/ras/PppWords.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix::linux_platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string password = input.ConsumeRandomLengthString(256);
    const std::vector<std::string> option =
        SplitPppWords("password " + QuotePppWord(password) + "\n");
    Require(option == std::vector<std::string>{"password", password},
            "the password option reads back the password");

    for (const std::string& word : SplitPppWords(input.ConsumeRemainingBytesAsString())) {
        Require(SplitPppWords(QuotePppWord(word)) == std::vector<std::string>{word},
                "a word quoted again reads back unchanged");
    }
    return 0;
}
