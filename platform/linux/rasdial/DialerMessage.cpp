#include "platform/linux/rasdial/DialerMessage.h"

#include <syslog.h>

#include <iostream>

namespace velnix::linux_platform {

int Fail(int status, const std::string& message) {
    std::cerr << "rasdial : " << message << std::endl;
    ::openlog("rasdial", LOG_PID, LOG_USER);
    ::syslog(LOG_ERR, "%s", message.c_str());
    return status;
}

std::string Quoted(const std::string& entry) { return "« " + entry + " »"; }

}  // namespace velnix::linux_platform
