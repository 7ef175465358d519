#include "tests/linux/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

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

std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& programs) {
    int gate[2];
    if (pipe2(gate, O_CLOEXEC) != 0) return {};
    std::vector<pid_t> children;
    for (const std::vector<std::string>& arguments : programs) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            close(gate[1]);
            char go;
            while (read(gate[0], &go, 1) < 0 && errno == EINTR) {
            }
            execv(argv[0], argv.data());
            _exit(127);
        }
        children.push_back(child);
    }
    close(gate[0]);
    close(gate[1]);  // every child waits for this end of file, then starts
    std::vector<int> statuses;
    for (const pid_t child : children) {
        int status = 0;
        const bool ended = waitpid(child, &status, 0) == child && WIFEXITED(status);
        statuses.push_back(ended ? WEXITSTATUS(status) : -1);
    }
    return statuses;
}

int RunGuarded(const std::function<int()>& work, int seconds, long& elapsedMs) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        _exit(work());
    }
    setpgid(child, child);
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(seconds)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    elapsedMs = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - start)
                                      .count());
    if (ended == 0) {
        kill(-child, SIGKILL);
        waitpid(child, &status, 0);
        return -1;
    }
    return ended == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
