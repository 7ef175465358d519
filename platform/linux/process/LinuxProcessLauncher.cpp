#include "platform/linux/process/LinuxProcessLauncher.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "platform/linux/process/CommandLine.h"
#include "platform/linux/process/DetachedProcess.h"
#include "platform/linux/process/DialerPassword.h"
#include "platform/linux/process/ProgramSearch.h"
#include "platform/linux/process/SystemErrorText.h"

extern char** environ;

namespace velnix::linux_platform {

namespace {

std::vector<std::string> SessionEnvironment(bool withDisplay) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view text(*variable);
        if (!withDisplay &&
            (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY="))) {
            continue;
        }
        environment.emplace_back(text);
    }
    return environment;
}

std::vector<std::filesystem::path> ProgramFolders() {
    std::vector<std::filesystem::path> folders;
    if (std::optional<std::filesystem::path> own = RunningProgramFolder()) folders.push_back(*own);
    for (std::filesystem::path& folder : SearchPathFolders()) folders.push_back(std::move(folder));
    return folders;
}

}  // namespace

void LinuxProcessLauncher::StartHidden(const std::string& commandLine) {
    Start(commandLine, false);
}

void LinuxProcessLauncher::StartShown(const std::string& commandLine) { Start(commandLine, true); }

void LinuxProcessLauncher::Start(const std::string& commandLine, bool withDisplay) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) throw ProcessStartError("Ligne de commande vide");
    const std::optional<std::filesystem::path> program =
        FindProgram(arguments.front(), ProgramFolders());
    const std::string name(BareProgramName(arguments.front()));  // as a Linux user knows it
    if (!program) {
        throw ProcessStartError("Fichier introuvable : " + name +
                                " (ni à côté du programme, ni dans le PATH)");
    }
    const std::optional<std::string> password = TakeDialerPassword(arguments);
    const int error =
        StartDetached(*program, arguments, SessionEnvironment(withDisplay), password.value_or(""));
    if (error != 0) {
        throw ProcessStartError("Impossible de lancer " + name + " : " + SystemErrorText(error));
    }
}

}  // namespace velnix::linux_platform
