#include "platform/linux/ras/PppLinks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>

#include "common/Text.h"
#include "engine/RasApi.h"
#include "platform/linux/SystemRoot.h"
#include "platform/linux/ras/FileStamp.h"
#include "platform/linux/ras/FolderWatch.h"
#include "platform/linux/ras/KeptFile.h"
#include "platform/linux/ras/SmallFile.h"

namespace velnix::linux_platform {

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kInterfaceUp = 0x1;  // IFF_UP

// The leading unsigned number of a text (after blanks), in `base`; "0x" is allowed in base 16.
std::optional<uint64_t> LeadingNumber(std::string_view text, int base) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) text.remove_prefix(2);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

std::optional<uint64_t> ReadNumber(const std::string& path, int base) {
    const std::optional<std::string> text = ReadSmallFile(path);
    if (!text) return std::nullopt;
    return LeadingNumber(*text, base);
}

std::optional<uint64_t> ReadNumber(KeptFile& file, const std::string& path, int base) {
    const std::optional<std::string> text = file.Read(path);
    if (!text) return std::nullopt;
    return LeadingNumber(*text, base);
}

// The attributes of a link's interface read on every listing or every tick, kept open from one
// to the next while the interface is listed.
struct InterfaceFiles {
    KeptFile flags;
    KeptFile receivedBytes;
    KeptFile sentBytes;
};

std::map<std::string, InterfaceFiles>& KeptInterfaceFiles() {
    thread_local std::map<std::string, InterfaceFiles> files;  // by interface name
    return files;
}

std::string PidFileOf(const std::string& interfaceName) {
    return UnderRootText("/run/") + interfaceName + ".pid";
}

std::string CommandLineOf(uint32_t pid) {
    return UnderRootText("/proc/") + std::to_string(pid) + "/cmdline";
}

// What a pid file and its process's command line said when last read, with their stamps then:
// while both stamps hold, so does what they said. Kept only once both files have settled.
struct PidFileReading {
    FileStamp pidFile;
    FileStamp commandLine;
    uint32_t pid = 0;
    std::optional<std::string> entry;  // nothing when the process was not called for an entry
};
using PidFileReadings = std::map<std::string, PidFileReading>;  // by pid file path

// The pid and reading of a pid file, from `previous` when neither the file nor the process has
// changed since, or read afresh; nothing when the file is not a regular one, names no process
// number, or its process is gone. `fileUnchanged` tells that the pid file is known unchanged
// since the last listing.
std::optional<PidFileReading> ReadPidFile(const std::string& pidFile,
                                          const PidFileReadings& previous, bool fileUnchanged) {
    const auto known = previous.find(pidFile);
    const std::optional<FileStamp> pidStamp =
        known != previous.end() && fileUnchanged ? known->second.pidFile : StampOf(pidFile);
    if (!pidStamp || !S_ISREG(pidStamp->mode)) return std::nullopt;
    if (known != previous.end() && known->second.pidFile == *pidStamp &&
        StampOf(CommandLineOf(known->second.pid)) == known->second.commandLine) {
        return known->second;
    }
    PidFileReading reading;
    reading.pidFile = *pidStamp;
    const std::optional<uint64_t> pid = ReadNumber(pidFile, 10);
    if (!pid || *pid == 0 || *pid > UINT32_MAX) return std::nullopt;
    reading.pid = static_cast<uint32_t>(*pid);
    const std::string commandLinePath = CommandLineOf(reading.pid);
    const std::optional<FileStamp> commandStamp = StampOf(commandLinePath);
    const std::optional<std::string> commandLine = ReadSmallFile(commandLinePath);
    if (!commandStamp || !commandLine) return std::nullopt;  // stale: the process is gone
    reading.commandLine = *commandStamp;
    reading.entry = PeerOfCommandLine(*commandLine);
    return reading;
}

// A name in /run, and whether it is a symbolic link, whose target may change unnoticed.
struct RunEntry {
    std::string name;
    bool link = false;
};

// The entries of /run, and whether the folder and every file in it are unchanged since the
// last call; listed again only when they may have changed.
const std::vector<RunEntry>& RunFolderEntries(bool& unchanged) {
    thread_local FolderWatch watch;
    thread_local std::vector<RunEntry> entries;
    thread_local bool complete = false;  // the last listing went to the end
    const std::string run = UnderRootText("/run");
    unchanged = !watch.Changed(run) && complete;
    if (unchanged) return entries;
    entries.clear();
    std::error_code error;
    for (fs::directory_iterator it(run, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::error_code typeError;
        entries.push_back({it->path().filename().string(), it->is_symlink(typeError)});
    }
    complete = !error;
    return entries;
}

// The link of the pid file that pppd writes as /run/IFNAME.pid once its unit IFNAME is attached,
// when that interface exists and the process is a live pppd called for an entry. What is read
// of the pid file goes into `readings`.
std::optional<PppLink> LinkOfPidFile(const RunEntry& entry, bool runUnchanged,
                                     const PidFileReadings& previous, PidFileReadings& readings) {
    const std::string& pidFileName = entry.name;
    constexpr std::string_view kSuffix = ".pid";
    if (!pidFileName.ends_with(kSuffix)) return std::nullopt;
    PppLink link;
    link.interfaceName = pidFileName.substr(0, pidFileName.size() - kSuffix.size());
    if (link.interfaceName.empty() || link.interfaceName == "." || link.interfaceName == "..") {
        return std::nullopt;
    }
    // The interface first: most pid files of /run belong to other daemons, and have none.
    const std::string interfaceFolder = UnderRootText("/sys/class/net/") + link.interfaceName;
    const std::optional<uint64_t> flags =
        ReadNumber(KeptInterfaceFiles()[link.interfaceName].flags, interfaceFolder + "/flags", 16);
    std::error_code error;
    if (!flags && !fs::exists(fs::symlink_status(interfaceFolder, error))) return std::nullopt;
    link.up = flags && (*flags & kInterfaceUp) != 0;
    const std::string pidFile = PidFileOf(link.interfaceName);
    const std::optional<PidFileReading> reading =
        ReadPidFile(pidFile, previous, runUnchanged && !entry.link);
    if (!reading) return std::nullopt;
    if (IsSettled(reading->pidFile) && IsSettled(reading->commandLine)) {
        readings[pidFile] = *reading;
    }
    if (!reading->entry) return std::nullopt;
    link.pid = reading->pid;
    link.entry = *reading->entry;
    return link;
}

// The words of a NUL-separated list, as /proc gives a command line or an environment.
std::vector<std::string_view> NulSeparatedWords(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const size_t end = text.find('\0');
        words.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return words;
}

// Under a moved root (a simulation) the processes are still the whole machine's: a pppd counts
// only when it was started under the same root.
bool RunsUnderThisRoot(const fs::path& processFolder) {
    const fs::path root = SystemRoot();
    if (root == "/") return true;
    const std::optional<std::string> environment = ReadSmallFile(processFolder / "environ");
    if (!environment) return false;
    const std::vector<std::string_view> variables = NulSeparatedWords(*environment);
    return std::find(variables.begin(), variables.end(), "VELNIX_ROOT=" + root.string()) !=
           variables.end();
}

// The number after the blanks at the start of `text`; moves `text` past it.
std::optional<uint64_t> TakeNumber(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

// The real and effective uids of a process: the first two numbers of the Uid line of its
// status file.
std::optional<std::pair<uint64_t, uint64_t>> UidsOf(const fs::path& processFolder) {
    const std::optional<std::string> status = ReadSmallFile(processFolder / "status");
    if (!status) return std::nullopt;
    std::string_view rest(*status);
    while (!rest.empty() && !rest.starts_with("Uid:")) {
        rest.remove_prefix(std::min(rest.find('\n'), rest.size() - 1) + 1);
    }
    if (rest.empty()) return std::nullopt;
    rest.remove_prefix(4);
    const std::optional<uint64_t> real = TakeNumber(rest);
    const std::optional<uint64_t> effective = TakeNumber(rest);
    if (!real || !effective) return std::nullopt;
    return std::pair(*real, *effective);
}

bool IsOwnOrSystemProcessIn(const fs::path& processFolder) {
    const auto uids = UidsOf(processFolder);
    return uids && (uids->second == 0 || uids->first == ::getuid());
}

}  // namespace

bool IsOwnOrSystemProcess(uint32_t pid) {
    return IsOwnOrSystemProcessIn(UnderRoot("/proc") / std::to_string(pid));
}

std::optional<std::string> PeerOfCommandLine(std::string_view commandLine) {
    const std::vector<std::string_view> words = NulSeparatedWords(commandLine);
    const auto call = std::find(words.begin() + std::min<size_t>(1, words.size()), words.end(),
                                std::string_view("call"));
    if (call == words.end() || call + 1 == words.end()) return std::nullopt;
    const std::string_view entry = *(call + 1);
    if (entry.empty() || entry.size() >= ras::kEntryNameRoom) return std::nullopt;
    return std::string(entry);
}

std::vector<uint32_t> PppdProcessesOf(std::string_view entry) {
    std::vector<uint32_t> pids;
    std::error_code error;
    for (fs::directory_iterator it(UnderRoot("/proc"), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::optional<uint64_t> pid = LeadingNumber(it->path().filename().string(), 10);
        if (!pid || *pid == 0 || *pid > UINT32_MAX) continue;
        const std::optional<std::string> commandLine = ReadSmallFile(it->path() / "cmdline");
        if (!commandLine) continue;
        const std::string_view program(commandLine->c_str());  // the first argument
        if (fs::path(program).filename() != "pppd") continue;
        const std::optional<std::string> called = PeerOfCommandLine(*commandLine);
        if (called && EqualsIgnoreCase(*called, entry) && IsOwnOrSystemProcessIn(it->path()) &&
            RunsUnderThisRoot(it->path())) {
            pids.push_back(static_cast<uint32_t>(*pid));
        }
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

std::vector<PppLink> ListPppLinks() {
    // The flags are read on every listing; /run, its pid files and the processes' command lines
    // only when they have changed since the last one.
    thread_local PidFileReadings previous;
    PidFileReadings readings;
    std::vector<PppLink> links;
    bool runUnchanged = false;
    for (const RunEntry& entry : RunFolderEntries(runUnchanged)) {
        if (std::optional<PppLink> link = LinkOfPidFile(entry, runUnchanged, previous, readings)) {
            links.push_back(std::move(*link));
        }
    }
    previous = std::move(readings);
    std::erase_if(KeptInterfaceFiles(), [&links](const auto& kept) {
        return std::none_of(links.begin(), links.end(), [&kept](const PppLink& link) {
            return link.interfaceName == kept.first;
        });
    });
    std::sort(links.begin(), links.end(),
              [](const PppLink& a, const PppLink& b) { return a.interfaceName < b.interfaceName; });
    return links;
}

std::optional<LinkFigures> ReadInterfaceCounters(const std::string& interfaceName) {
    const std::string statistics =
        UnderRootText("/sys/class/net/") + interfaceName + "/statistics/";
    InterfaceFiles& files = KeptInterfaceFiles()[interfaceName];
    const std::optional<uint64_t> received =
        ReadNumber(files.receivedBytes, statistics + "rx_bytes", 10);
    const std::optional<uint64_t> sent = ReadNumber(files.sentBytes, statistics + "tx_bytes", 10);
    if (!received || !sent) return std::nullopt;
    LinkFigures figures;
    figures.receivedBytes = *received;
    figures.sentBytes = *sent;
    return figures;
}

std::optional<LinkFigures> ReadLinkFigures(const PppLink& link) {
    std::optional<LinkFigures> figures = ReadInterfaceCounters(link.interfaceName);
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(PidFileOf(link.interfaceName), error);
    if (!figures || error) return std::nullopt;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        fs::file_time_type::clock::now() - written);
    figures->durationMs = static_cast<uint64_t>(std::max<int64_t>(0, elapsed.count()));
    return figures;
}

}  // namespace velnix::linux_platform
