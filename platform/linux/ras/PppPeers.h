#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace velnix::linux_platform {

// The phone book: the files of /etc/ppp/peers (under the system root), each the options of one
// entry that `pppd call NAME` dials.

// Whether a file name of the peers folder names an entry: not a dot-file, not a backup, an
// editor's autosave or a package-manager leftover (~, .bak in any letter case, #NAME#,
// .dpkg-*, .ucf-*), and short enough for the 256-byte name field of the connection records.
bool IsPeerName(std::string_view name);

// The entries, sorted by name (byte order). A missing folder is an empty phone book; a folder
// that cannot be read gives an empty list and sets `error`.
std::vector<std::string> ListPeers(std::error_code& error);

}  // namespace velnix::linux_platform
