#include "tests/dbus/BusFixture.h"

#include <QDBusConnection>

namespace velnix::qt_platform::testing {

std::shared_ptr<InternetTenaline> BusFixture::Create() {
    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
        journal.push_back("create window");
        windows.push_back(std::make_shared<velnix::testing::FakeTenalineWindow>(&journal));
        return windows.back();
    };
    return InternetTenaline::Create(services);
}

void BusFixture::SetUp() {
    exporter =
        std::make_unique<DBusExporter>(QDBusConnection::sessionBus(), [this] { return Create(); });
    const std::shared_ptr<InternetTenaline> object = Create();
    firstPath = exporter->Publish(object);
    first = object;
}

}  // namespace velnix::qt_platform::testing
