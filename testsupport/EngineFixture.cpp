#include "testsupport/EngineFixture.h"

namespace velnix::testing {

EngineFixture::EngineFixture() = default;

TenalineServices EngineFixture::Services() {
    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
        journal.push_back("create window");
        window = std::make_shared<FakeTenalineWindow>(&journal);
        return window;
    };
    return services;
}

std::shared_ptr<InternetTenaline> EngineFixture::Start() {
    return InternetTenaline::Create(Services());
}

}  // namespace velnix::testing
