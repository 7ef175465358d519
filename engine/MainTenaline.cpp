#include "engine/MainTenaline.h"

#include "engine/InternetTenaline.h"

namespace velnix {

void MainTenaline(const TenalineServices& services) { InternetTenaline::Create(services); }

}  // namespace velnix
