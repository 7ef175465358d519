#pragma once

#include <optional>
#include <string>

namespace velnix::linux_platform {

// The dialer's actions on a NetworkManager connection: nothing when NetworkManager has no
// dial-up connection of that name (letter case aside), so that pppd's peers serve.

// Asks NetworkManager to activate the connection, with its stored secrets when `login` and
// `password` are empty; `password` is wiped once handed over. Returns without waiting for the
// link: the connection is already up or coming up when the status is kDialerDone.
std::optional<int> DialManaged(const std::string& entry, const std::string& login,
                               std::string& password);

// Deactivates the entry's active connection; nothing when it has none.
std::optional<int> HangUpManaged(const std::string& entry);

}  // namespace velnix::linux_platform
