#include "engine/MainTenaline.h"

#include "engine/InternetTenaline.h"

namespace velnix {

void MainTenaline(const TenalineServices& services,
                  const std::function<void(const std::shared_ptr<InternetTenaline>&)>& publish) {
    const std::shared_ptr<InternetTenaline> object = InternetTenaline::Create(services);
    if (publish) publish(object);
}

}  // namespace velnix
