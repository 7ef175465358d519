#pragma once

#include <string>

namespace velnix::linux_platform {

// Reads the password that `rasdial ENTRY LOGIN *` takes from its standard input `fd`:
// - from a terminal, one line typed after the prompt "Mot de passe : " (on standard error),
//   without echo;
// - from a pipe or a file, everything up to its end less one final line feed, so that
//   `echo secret | rasdial ...` and a program writing the password alone both serve.
// At most 4 KiB are read. Returns false, with errno set, when the input cannot be read.
bool ReadPassword(int fd, std::string& password);

}  // namespace velnix::linux_platform
