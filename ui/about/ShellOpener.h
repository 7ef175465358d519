#pragma once

#include <string_view>

namespace velnix {

// Opens a document or an address with the program the desktop associates with it (the shell's
// "Open" verb, in a normal window). Empty parameters or folder mean none. Failures are not
// reported.
class ShellOpener {
  public:
    virtual ~ShellOpener() = default;
    virtual void Open(std::string_view file, std::string_view parameters,
                      std::string_view directory) = 0;
};

}  // namespace velnix
