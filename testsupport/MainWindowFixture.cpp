#include "testsupport/MainWindowFixture.h"

#include <stdexcept>

namespace velnix::testing {

namespace {
// Marks the fixture when the window lets go of what it was given, that is when it is destroyed.
struct DestructionFlag {
    bool* flag;
    ~DestructionFlag() { *flag = true; }
};
}  // namespace

MainWindowFixture::MainWindowFixture() = default;

MainWindowFixture::~MainWindowFixture() {
    dialogs.CloseConfigurations();
    if (const std::shared_ptr<TenalineFrm> frm = window.lock()) frm->FormUnload();
}

TenalineServices MainWindowFixture::Services() {
    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
        const TenalineFrmParts parts{controls,  menu,        tray,       images,  picGraphD,
                                     picGraphU, application, messageBox, dialogs, settings};
        auto frm = TenalineFrm::Create(parts, std::make_shared<DestructionFlag>(&windowDestroyed));
        window = frm;
        return frm;
    };
    return services;
}

std::shared_ptr<InternetTenaline> MainWindowFixture::Start() {
    return InternetTenaline::Create(Services());
}

TenalineFrm& MainWindowFixture::Frm() {
    const std::shared_ptr<TenalineFrm> frm = window.lock();
    if (!frm) throw std::logic_error("the main window is gone");
    return *frm;
}

}  // namespace velnix::testing
