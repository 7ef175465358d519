#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/TenalineEvents.h"

namespace velnix::testing {

// Records the events it receives, in order, as short texts ("Connected", "Disconnected",
// "UpdateState"), with the arguments of the last UpdateState.
class RecordingEvents : public TenalineEvents {
  public:
    struct State {
        std::string sNom;
        int32_t lTemps = 0;
        int32_t lOctetsRecus = 0;
        int32_t lOctetsEnvoyes = 0;
        int32_t lVitesseD = 0;
        int32_t lVitesseU = 0;
        bool operator==(const State&) const = default;
    };

    void Connected() override;
    void Disconnected() override;
    void UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                     int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) override;

    std::vector<std::string> log;
    std::vector<State> states;
    bool failConnected = false;
    bool failUpdateState = false;
};

}  // namespace velnix::testing
