#pragma once

#include <string>
#include <vector>

#include "tests/linux/FixtureRoot.h"

namespace velnix::linux_platform::testing {

// A stand-in pppd for the dialer's tests: bin/pppd of a fixture root, whose bin folder comes
// first on PATH while this object lives. It detaches as pppd does and records each start in a
// file of the root: its arguments, one a line, then the options of the files it was handed
// (`file /dev/fd/N`, where the dialer puts the password). It then ends, or, when it `stays`,
// leaves a process behind that holds whatever it inherited (the dialer's lock on the entry)
// until EndAll.
class FakePppd {
  public:
    FakePppd(const FixtureRoot& root, bool stays);
    ~FakePppd();
    FakePppd(const FakePppd&) = delete;
    FakePppd& operator=(const FakePppd&) = delete;

    // The records of the starts since the last EndAll.
    std::vector<std::string> Starts() const;

    // Ends the processes left behind, waits until they are gone and forgets the starts.
    void EndAll();

  private:
    std::string records_;
    std::string savedPath_;
};

}  // namespace velnix::linux_platform::testing
