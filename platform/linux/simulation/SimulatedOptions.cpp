#include "platform/linux/simulation/SimulatedOptions.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/linux/SystemRoot.h"
#include "platform/linux/ras/PppPeers.h"
#include "platform/linux/ras/PppWords.h"
#include "platform/linux/ras/SmallFile.h"

namespace velnix::linux_platform {

namespace {

// A file named by the `file` option, such as the dialer's pipe /dev/fd/N, which is no regular
// file: read as pppd does, whatever it is.
std::optional<std::string> ReadHandedFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ApplyWords(const std::vector<std::string>& words, bool fromCommandLine,
                SimulatedOptions& options, std::string& error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool takesValue =
            word == "call" || word == "file" || word == "user" || word == "password";
        if (word == "nodetach") options.nodetach = true;
        if (!takesValue) continue;
        if (i + 1 == words.size()) {
            error = "l'option " + word + " attend une valeur";
            return false;
        }
        const std::string& value = words[++i];
        if (word == "user") options.user = value;
        if (word == "password") options.password = value;
        if (word != "call" && word != "file") continue;
        if (!fromCommandLine) {
            error = "option " + word + " interdite dans un fichier";
            return false;
        }
        if (word == "call" && !IsPeerName(value)) {
            error = "nom d'entrée invalide : " + value;
            return false;
        }
        const std::string path =
            word == "call" ? UnderRoot("/etc/ppp/peers/" + value).string() : value;
        const std::optional<std::string> text =
            word == "call" ? ReadSmallFile(path) : ReadHandedFile(path);
        if (!text) {
            error = "impossible de lire " + path;
            return false;
        }
        if (word == "call") options.entry = value;
        if (!ApplyWords(SplitPppWords(*text), false, options, error)) return false;
    }
    return true;
}

}  // namespace

bool ReadSimulatedOptions(int argc, char** argv, SimulatedOptions& options, std::string& error) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (!ApplyWords(words, true, options, error)) return false;
    if (options.entry.empty()) {
        error = "aucune entrée (option call) n'est donnée";
        return false;
    }
    return true;
}

bool AccountAccepted(const SimulatedOptions& options) {
    const std::optional<std::string> secrets = ReadSmallFile(UnderRoot("/etc/ppp/pap-secrets"));
    if (!secrets) return true;
    std::string_view rest = *secrets;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::vector<std::string> words = SplitPppWords(rest.substr(0, end));
        if (words.size() >= 3 && (words[0] == options.user || words[0] == "*") &&
            words[2] == options.password) {
            return true;
        }
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace velnix::linux_platform
