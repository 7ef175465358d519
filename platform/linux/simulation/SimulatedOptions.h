#pragma once

#include <string>

namespace velnix::linux_platform {

// What the simulated pppd takes from its command line and the option files it names (`call`
// reads /etc/ppp/peers/NAME under the system root, `file` reads any file, such as the dialer's
// /dev/fd/N). Options it does not know are ignored.
struct SimulatedOptions {
    std::string entry;
    std::string user;
    std::string password;
    bool nodetach = false;
};

// Fills `options` from pppd's arguments; on failure returns false with a message in `error`.
bool ReadSimulatedOptions(int argc, char** argv, SimulatedOptions& options, std::string& error);

// Whether the provider accepts the account: every account when /etc/ppp/pap-secrets (under the
// root) is missing, otherwise those of its lines `client server secret` whose client is the
// user (or *) and whose secret is the password.
bool AccountAccepted(const SimulatedOptions& options);

}  // namespace velnix::linux_platform
