#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// A PPP link as pppd shows it: the pid file /run/IFNAME.pid it writes once its unit is attached,
// the interface /sys/class/net/IFNAME, and its command line /proc/<pid>/cmdline, which names the
// entry after `call` (as `pon NAME` and the dialer start it). Every path is read under the
// system root.
struct PppLink {
    std::string interfaceName;
    uint32_t pid = 0;
    std::string entry;
    bool up = false;  // the interface is up (IFF_UP): IPCP has come up
};

// The links whose pppd is alive, sorted by interface name, up or still negotiating, found from
// the pid files of /run, whatever the number of the host's other interfaces. Pid files whose
// interface or process is gone, or whose process was not started with `call NAME`, are left out.
std::vector<PppLink> ListPppLinks();

// The entry a pppd command line (NUL-separated arguments) dials: the word after the first
// `call`, when it fits the 256-byte name field.
std::optional<std::string> PeerOfCommandLine(std::string_view commandLine);

// Whether a process may be taken for a pppd that dials for this machine, by its uids in
// /proc/<pid>/status: the real pppd, installed setuid, runs with effective uid 0, and one that
// the caller started itself has the caller's real uid. A process of another unprivileged user
// is neither, whatever it calls itself.
bool IsOwnOrSystemProcess(uint32_t pid);

// The pppd processes calling `entry` (letter case aside), whether or not they have a unit yet:
// every /proc/<pid> whose program is pppd, whose command line names the entry after `call` and
// that is the caller's own or the system's (IsOwnOrSystemProcess). Under a moved root, only the
// processes whose environment names that root count. Sorted by pid.
std::vector<uint32_t> PppdProcessesOf(std::string_view entry);

struct LinkFigures {
    uint64_t receivedBytes = 0;
    uint64_t sentBytes = 0;
    uint64_t durationMs = 0;  // since the pid file was written
};

// The counters and duration of a link, or nothing when its files have gone meanwhile.
std::optional<LinkFigures> ReadLinkFigures(const PppLink& link);

// The received and sent byte counters of a network interface, or nothing when it is gone.
std::optional<LinkFigures> ReadInterfaceCounters(const std::string& interfaceName);

}  // namespace velnix::linux_platform
