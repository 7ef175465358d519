#pragma once

#include "engine/TenalineServices.h"

namespace velnix {

// The start procedure: creates the one connection object and at once lets go of its own
// reference; the object's main window keeps it from then on.
void MainTenaline(const TenalineServices& services);

}  // namespace velnix
