// rasdial: the command-line dialer over pppd, with the command interface of the Windows one.
//   rasdial                          lists the active connections, one per line
//   rasdial ENTRY [LOGIN [PASSWORD]] dials ENTRY (pppd call ENTRY user LOGIN); a PASSWORD of *
//                                    is read from standard input
//   rasdial ENTRY /disconnect        hangs ENTRY up

#include <string.h>

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <string_view>

#include "common/Text.h"
#include "platform/linux/process/DialerPassword.h"
#include "platform/linux/rasdial/DialerActions.h"

namespace {

bool IsDisconnectSwitch(std::string_view argument) {
    return velnix::EqualsIgnoreCase(argument, "/disconnect") ||
           velnix::EqualsIgnoreCase(argument, "/d");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velnix::linux_platform;
    // A password given on the command line leaves the argument memory (and so
    // /proc/<pid>/cmdline) before anything else; other users may have seen it already, which `*`
    // (the password on standard input) avoids.
    std::string password;
    if (argc >= 4) {
        password = argv[3];
        if (password != kPasswordFromInput) ::explicit_bzero(argv[3], password.size());
    }
    // NetworkManager's connections are reached over the system bus.
    const QCoreApplication application(argc, argv);
    if (argc == 1) return ListConnections();
    if (argc == 3 && IsDisconnectSwitch(argv[2])) return HangUp(argv[1]);
    if (argc <= 4 && argv[1][0] != '/') {
        return Dial(argv[1], argc >= 3 ? argv[2] : "", password);
    }
    std::cerr << "Usage : rasdial [ENTRÉE [IDENTIFIANT [MOT_DE_PASSE | *]] | ENTRÉE /disconnect]"
              << std::endl;
    return kDialerUsage;
}
