#include "testsupport/RecordingEvents.h"

#include <stdexcept>

namespace velnix::testing {

void RecordingEvents::Connected() {
    log.push_back("Connected");
    if (failConnected) throw std::runtime_error("gestionnaire en échec");
}

void RecordingEvents::Disconnected() { log.push_back("Disconnected"); }

void RecordingEvents::UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                                  int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) {
    log.push_back("UpdateState");
    states.push_back(State{sNom, lTemps, lOctetsRecus, lOctetsEnvoyes, lVitesseD, lVitesseU});
    if (failUpdateState) throw std::runtime_error("gestionnaire en échec");
}

}  // namespace velnix::testing
