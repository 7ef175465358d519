#pragma once

#include <functional>
#include <memory>

#include "engine/TenalineServices.h"

namespace velnix {

class InternetTenaline;

// The start procedure: creates the one connection object, offers it to `publish` (the
// automation machinery, which keeps no strong reference) and at once lets go of its own
// reference; the object's main window keeps it from then on.
void MainTenaline(
    const TenalineServices& services,
    const std::function<void(const std::shared_ptr<InternetTenaline>&)>& publish = {});

}  // namespace velnix
