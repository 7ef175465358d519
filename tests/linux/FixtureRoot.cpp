#include "tests/linux/FixtureRoot.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace velnix::linux_platform::testing {

namespace fs = std::filesystem;
using std::string_literals::operator""s;

namespace {

// Gives the owner back every right a test took from a folder of the tree, so that the tree can
// be removed by a user whom the modes bind.
void GiveBackRights(const fs::path& folder) {
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error)) GiveBackRights(it->path());
    }
}

}  // namespace

FixtureRoot::FixtureRoot() {
    std::string pattern = (fs::temp_directory_path() / "velnix-root.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp a échoué");
    root_ = pattern;
    if (const char* old = std::getenv("VELNIX_ROOT")) savedRoot_ = old;
    setenv("VELNIX_ROOT", root_.c_str(), 1);
}

FixtureRoot::~FixtureRoot() {
    if (savedRoot_) {
        setenv("VELNIX_ROOT", savedRoot_->c_str(), 1);
    } else {
        unsetenv("VELNIX_ROOT");
    }
    GiveBackRights(root_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path FixtureRoot::Path(std::string_view absolutePath) const {
    while (absolutePath.starts_with('/')) absolutePath.remove_prefix(1);
    return root_ / absolutePath;
}

void FixtureRoot::Write(std::string_view absolutePath, std::string_view content) const {
    const fs::path path = Path(absolutePath);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

void FixtureRoot::AddPeer(const std::string& name) const {
    Write("/etc/ppp/peers/" + name, "noauth\n");
}

Uids OwnUids() { return {getuid(), geteuid()}; }

void FixtureRoot::AddProcess(uint32_t pid, const std::vector<std::string>& arguments,
                             Uids uids) const {
    const std::string folder = "/proc/" + std::to_string(pid);
    std::string commandLine;
    for (const std::string& argument : arguments) commandLine += argument + '\0';
    Write(folder + "/cmdline", commandLine);
    Write(folder + "/environ", "LANG=C.UTF-8\0VELNIX_ROOT="s + root_.string() + '\0');
    const std::string real = std::to_string(uids.real);
    const std::string effective = std::to_string(uids.effective);
    Write(folder + "/status", "Name:\tpppd\nUmask:\t0022\nState:\tS (sleeping)\nUid:\t" + real +
                                  '\t' + effective + '\t' + effective + '\t' + effective + '\n');
}

void FixtureRoot::AddInterface(const std::string& name, bool up, uint64_t received,
                               uint64_t sent) const {
    const std::string folder = "/sys/class/net/" + name;
    Write(folder + "/flags", up ? "0x1091\n" : "0x1090\n");
    Write(folder + "/statistics/rx_bytes", std::to_string(received) + "\n");
    Write(folder + "/statistics/tx_bytes", std::to_string(sent) + "\n");
}

void FixtureRoot::AddLink(const std::string& interfaceName, uint32_t pid, const std::string& entry,
                          bool up, uint64_t received, uint64_t sent) const {
    AddProcess(pid, {"/usr/sbin/pppd", "call", entry, "user", "jean"});
    Write("/run/" + interfaceName + ".pid", std::to_string(pid) + "\n");
    AddInterface(interfaceName, up, received, sent);
}

}  // namespace velnix::linux_platform::testing
