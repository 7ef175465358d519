#pragma once

namespace velnix {

// Runs one step of a sequence whose steps each go on whatever the previous ones did: a step
// that fails is abandoned, silently, and the caller goes on with the next.
template <typename Step>
void Guarded(Step step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace velnix
