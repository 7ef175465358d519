#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// Starts `program` with `arguments` (argv, the program's name first) and `environment`
// ("NAME=value" texts) as a process of its own session, standard streams on /dev/null, and
// returns once it runs, without waiting for it. It is started through an intermediate process
// that ends at once, so it is never a child of the caller and leaves no zombie behind; no signal
// handler is involved. Returns 0, or the system error (errno) that kept the program from
// starting, as reported by the child itself through a close-on-exec pipe.
//
// Given an `input`, the program's standard input is a pipe holding that text and then its end,
// written before the program starts: a secret handed over this way shows nowhere in /proc.
// E2BIG when it does not fit in the pipe (64 KiB as a rule, never less than 4 KiB).
int StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, std::string_view input = {});

}  // namespace velnix::linux_platform
