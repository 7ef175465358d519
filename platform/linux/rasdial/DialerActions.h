#pragma once

#include <string>

namespace velnix::linux_platform {

// Exit statuses of the dialer.
enum DialerStatus : int {
    kDialerDone = 0,
    kDialerUsage = 2,         // wrong arguments
    kDialerUnknownEntry = 3,  // no such entry in /etc/ppp/peers
    kDialerNoRight = 4,       // the user may not read the phone book, start pppd or signal it
    kDialerPppdMissing = 5,   // pppd is not installed
    kDialerSystemError = 6,   // any other failure of the system
};

// Prints the entry of every active connection, one per line. Always kDialerDone.
int ListConnections();

// Ends the pppd of `entry` (letter case aside), whether its link is up or still being
// negotiated. No link for the entry is not an error. Only pppd processes of the caller or of
// the system are signalled, never another user's.
int HangUp(const std::string& entry);

// Replaces this process with `pppd call <entry> [user <login>]`, the password (if any) handed
// over through a pipe that pppd reads with its `file` option; the password never appears on
// pppd's command line. A password of `*` is read from standard input first (ReadPassword).
// Does nothing when the entry is already up or being dialed: the entry's options file is
// locked before that test and pppd holds the lock for its life, so two dials started together
// start one pppd. Returns only on failure, having printed a one-line French message, also sent
// to the system log.
int Dial(const std::string& entry, const std::string& login, std::string& password);

}  // namespace velnix::linux_platform
