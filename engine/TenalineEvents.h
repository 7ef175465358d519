#pragma once

#include <cstdint>
#include <string>

namespace velnix {

// The three events of InternetTenaline, delivered synchronously: a handler runs to completion
// before the connection object goes on. A handler may throw; the monitor then abandons that
// step and goes on with the next.
class TenalineEvents {
  public:
    virtual ~TenalineEvents() = default;

    virtual void Connected() = 0;
    virtual void Disconnected() = 0;
    virtual void UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                             int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) = 0;
};

}  // namespace velnix
