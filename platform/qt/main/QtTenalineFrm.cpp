#include "platform/qt/main/QtTenalineFrm.h"

#include "platform/qt/main/QtMainForm.h"

namespace velnix::qt_platform {

std::shared_ptr<TenalineFrm> CreateQtTenalineFrm(const QtTenalineFrmServices& services) {
    return (new QtMainForm(services))->Logic();
}

}  // namespace velnix::qt_platform
