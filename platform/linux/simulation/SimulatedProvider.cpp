#include "platform/linux/simulation/SimulatedProvider.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/linux/ras/PppWords.h"

extern char** environ;

namespace velnix::linux_platform {

namespace fs = std::filesystem;

namespace {

// Runs simulate.sh with `arguments` and waits for it; throws when it fails.
void RunScript(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {"/bin/sh", VELNIX_SIMULATE_SCRIPT};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("simulate.sh ne démarre pas");
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("simulate.sh " + arguments.front() + " a échoué");
    }
}

}  // namespace

SimulatedProvider::SimulatedProvider(const Settings& settings) {
    std::string pattern = (fs::temp_directory_path() / "velnix-simulation.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp a échoué");
    root_ = pattern;
    RunScript({"setup", "--pppd", VELNIX_SIMULATED_PPPD, root_.string()});
    const char* path = std::getenv("PATH");
    SetVariable("VELNIX_ROOT", root_.string());
    SetVariable("PATH",
                (root_ / "bin").string() + (path != nullptr ? ":" + std::string(path) : ""));
    SetVariable("VELNIX_SIM_UP_DELAY_MS", std::to_string(settings.upDelayMs));
    SetVariable("VELNIX_SIM_RX_RATE", std::to_string(settings.receivedRate));
    SetVariable("VELNIX_SIM_TX_RATE", std::to_string(settings.sentRate));
    SetVariable("VELNIX_SIM_RX_START", std::to_string(settings.receivedStart));
    SetVariable("VELNIX_SIM_TX_START", std::to_string(settings.sentStart));
}

SimulatedProvider::~SimulatedProvider() {
    try {
        RunScript({"clean"});
    } catch (const std::exception&) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    for (const auto& [name, value] : savedVariables_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
}

void SimulatedProvider::SetAccount(const std::string& login, const std::string& password) {
    std::ofstream secrets(root_ / "etc/ppp/pap-secrets", std::ios::trunc);
    secrets << QuotePppWord(login) << " * " << QuotePppWord(password) << "\n";
}

void SimulatedProvider::Drop(const std::string& entry) {
    RunScript(entry.empty() ? std::vector<std::string>{"drop"}
                            : std::vector<std::string>{"drop", entry});
}

bool SimulatedProvider::WaitFor(const std::function<bool()>& condition,
                                std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void SimulatedProvider::SetVariable(const std::string& name, const std::string& value) {
    if (!savedVariables_.contains(name)) {
        const char* old = std::getenv(name.c_str());
        savedVariables_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    }
    setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace velnix::linux_platform
