#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace velnix::windows_platform {

// The system's connection handles are as wide as a pointer; the program's are 32-bit. Each
// handle the system lists gets an id of its own, never 0, which stays the same while the system
// goes on listing the handle and is forgotten once it no longer does.
class RasHandleTable {
  public:
    // The id of `handle`, given now if it has none.
    uint32_t IdOf(uint64_t handle);
    std::optional<uint64_t> HandleOf(uint32_t id) const;
    // Forgets the ids of every handle that is not in this complete listing.
    void KeepOnly(const std::vector<uint64_t>& listed);

  private:
    std::map<uint32_t, uint64_t> handles_;  // by id
    uint32_t lastId_ = 0;
};

}  // namespace velnix::windows_platform
