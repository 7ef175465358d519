#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/InternetTenaline.h"
#include "platform/qt/dbus/DBusExporter.h"
#include "tests/dbus/BusClient.h"
#include "testsupport/FakeProcessLauncher.h"
#include "testsupport/FakeRasApi.h"
#include "testsupport/FakeSettingsStore.h"
#include "testsupport/FakeTenalineWindow.h"

namespace velnix::qt_platform::testing {

// The program's side on fakes, its first object published on the session bus, and a client.
class BusFixture : public ::testing::Test {
  protected:
    void SetUp() override;

    std::shared_ptr<InternetTenaline> Create();
    std::shared_ptr<InternetTenaline> First() const { return first.lock(); }

    velnix::testing::FakeSettingsStore settings;
    velnix::testing::FakeRasApi ras;
    velnix::testing::FakeProcessLauncher launcher;
    std::vector<std::string> journal;
    std::vector<std::shared_ptr<velnix::testing::FakeTenalineWindow>> windows;
    std::unique_ptr<DBusExporter> exporter;
    std::weak_ptr<InternetTenaline> first;
    QString firstPath;
    BusClient client;
};

}  // namespace velnix::qt_platform::testing
