#include "platform/windows/portable/RasHandleTable.h"

#include <algorithm>

namespace velnix::windows_platform {

uint32_t RasHandleTable::IdOf(uint64_t handle) {
    for (const auto& [id, known] : handles_) {
        if (known == handle) return id;
    }
    do {
        ++lastId_;
    } while (lastId_ == 0 || handles_.contains(lastId_));  // after a wrap-around
    handles_.emplace(lastId_, handle);
    return lastId_;
}

std::optional<uint64_t> RasHandleTable::HandleOf(uint32_t id) const {
    const auto found = handles_.find(id);
    if (found == handles_.end()) return std::nullopt;
    return found->second;
}

void RasHandleTable::KeepOnly(const std::vector<uint64_t>& listed) {
    std::erase_if(handles_, [&](const auto& entry) {
        return std::find(listed.begin(), listed.end(), entry.second) == listed.end();
    });
}

}  // namespace velnix::windows_platform
