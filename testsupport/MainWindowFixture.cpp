#include "testsupport/MainWindowFixture.h"

#include <stdexcept>

namespace velnix::testing {

MainWindowFixture::MainWindowFixture() = default;

TenalineServices MainWindowFixture::Services() {
    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
        window = std::make_shared<TenalineFrm>(TenalineFrmParts{controls, menu, tray, images,
                                                                picGraphD, picGraphU, application,
                                                                messageBox, dialogs, settings});
        return window;
    };
    return services;
}

std::shared_ptr<InternetTenaline> MainWindowFixture::Start() {
    std::shared_ptr<InternetTenaline> created = InternetTenaline::Create(Services());
    object = created;
    return created;
}

TenalineFrm& MainWindowFixture::Frm() {
    if (!window) throw std::logic_error("the main window was not created");
    return *window;
}

}  // namespace velnix::testing
