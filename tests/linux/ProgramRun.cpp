#include "tests/linux/ProgramRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/linux/ras/SmallFile.h"
#include "tests/linux/Unprivileged.h"

namespace velnix::linux_platform::testing {

namespace {

namespace fs = std::filesystem;

// A copy of a program in a new temporary folder open to every user, removed with this object.
class PublicCopy {
  public:
    explicit PublicCopy(const std::string& program) {
        std::string pattern = std::string(kOpenTempFolder) + "/velnix-public.XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) return;
        folder_ = pattern;
        std::error_code error;
        fs::permissions(folder_, fs::perms(0755), error);
        const fs::path copy = folder_ / fs::path(program).filename();
        if (fs::copy_file(program, copy, error)) {
            fs::permissions(copy, fs::perms(0755), error);
            path_ = copy.string();
        }
    }
    ~PublicCopy() {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }
    PublicCopy(const PublicCopy&) = delete;
    PublicCopy& operator=(const PublicCopy&) = delete;

    // Empty when the copy could not be made.
    const std::string& Path() const { return path_; }

  private:
    fs::path folder_;
    std::string path_;
};

std::string ReadAll(int fd) {
    std::string text;
    char chunk[4096];
    ssize_t got;
    while ((got = read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
    close(fd);
    return text;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& arguments, bool unprivileged) {
    const bool asNobody = unprivileged && geteuid() == 0;
    std::optional<PublicCopy> copy;
    if (asNobody) copy.emplace(arguments.front());
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (copy) argv.front() = const_cast<char*>(copy->Path().c_str());
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (const int fd : {out[0], out[1], err[0], err[1]}) close(fd);
        if (asNobody && !BecomeNobody()) _exit(100);
        if (asNobody && access(argv[0], X_OK) != 0) _exit(kUnreachableProgram);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    ProgramRun run;
    run.out = ReadAll(out[0]);
    run.err = ReadAll(err[0]);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

std::string DialerPath() { return std::string(VELNIX_BIN_DIR) + "/rasdial"; }

std::vector<std::string> CommandLineOf(int pid) {
    std::vector<std::string> words;
    const auto text = ReadSmallFile("/proc/" + std::to_string(pid) + "/cmdline");
    if (!text) return words;
    std::istringstream stream(*text);
    for (std::string word; std::getline(stream, word, '\0');) words.push_back(word);
    return words;
}

int ChildProcessCount() {
    int children = 0;
    const std::string self = std::to_string(getpid());
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        const auto stat = ReadSmallFile(process.path() / "stat");
        if (!stat) continue;
        // pid (comm) state ppid ...: the command name may hold blanks, the last ')' ends it.
        std::istringstream rest(stat->substr(stat->rfind(')') + 1));
        std::string state;
        std::string parent;
        rest >> state >> parent;
        if (parent == self) ++children;
    }
    return children;
}

}  // namespace velnix::linux_platform::testing
