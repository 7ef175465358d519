// The real program, offscreen on the private session bus, with NetworkManager's connections
// from python3-dbusmock's template on a private system bus and a fake interface for its modem.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "tests/dbus/BusClient.h"
#include "tests/networkmanager/MockNetworkManager.h"

namespace velnix::qt_platform::testing {
namespace {

using ::testing::Contains;

constexpr char kEntry[] = "Clé 3G";

class NetworkManagerEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir().mkpath(root + "/sys/class/net/ppp0/statistics"));
        ASSERT_TRUE(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetCounters(1000, 200);
        mock.AddConnection(kEntry, "gsm");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELNIX_ROOT", root);
        environment.insert("PATH",
                           QFileInfo(VELNIX_PROGRAM).path() + ":" + environment.value("PATH"));
        environment.insert("XDG_CONFIG_HOME", temp.path() + "/config");
        environment.insert("XDG_RUNTIME_DIR", runtime);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        QtSettingsStore(temp.path() + "/config/Velnix")
            .Write("Quorath_Software", "Tenaline", "AutoReconnect", "True");
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(VELNIX_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return client.connection.interface()->isServiceRegistered(bus::kServiceName); },
            10000));
    }

    void TearDown() override {
        program.terminate();
        if (!program.waitForFinished(5000)) program.kill();
    }

    void SetCounters(int received, int sent) {
        for (const auto& [name, value] : {std::pair{"rx_bytes", received}, {"tx_bytes", sent}}) {
            QFile file(root + "/sys/class/net/ppp0/statistics/" + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(value) + "\n");
        }
    }

    // Waits for the dialer's activation and gives it the modem, as NetworkManager does.
    QString WaitForActivation() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return mock.ActiveConnections().size() == 1; }, 10000));
        if (mock.ActiveConnections().size() != 1) return {};
        const QString active = mock.ActiveConnections()[0];
        mock.AttachDevice(active, modem);
        return active;
    }

    linux_platform::testing::MockNetworkManager mock;
    const QString modem = mock.AddDevice("modem", "ppp0");
    QTemporaryDir temp;
    QString root = temp.path() + "/root";
    QString runtime = temp.path() + "/runtime";
    BusClient client;
    QProcess program;
    const QString object = bus::kFirstObjectPath;
};

TEST_F(NetworkManagerEndToEndTest, ListsDialsShowsTheInterfaceCountersAndRedialsAfterADrop) {
    EXPECT_THAT(client.Value(object, "ConnectionList").toStringList(), Contains(QString(kEntry)));
    client.Listen();
    client.Set(object, "Connection", QString(kEntry));
    ASSERT_EQ(client.Call(object, bus::kObjectInterface, "Connect").errorMessage(), "");
    const QString active = WaitForActivation();
    ASSERT_TRUE(client.WaitForSignal("Connected", 0, 10000));
    SetCounters(5000, 700);
    const qsizetype before = client.figures.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.figures.size() >= before + 2; }, 5000));
    EXPECT_EQ(client.figures.last()[1], 5000);
    EXPECT_EQ(client.figures.last()[2], 700);

    const qsizetype beforeDrop = client.received.size();
    mock.Drop(active, modem);
    ASSERT_TRUE(client.WaitForSignal("Disconnected", beforeDrop, 10000));
    WaitForActivation();
    EXPECT_TRUE(client.WaitForSignal("Connected", beforeDrop, 20000)) << "redialled";
}

}  // namespace
}  // namespace velnix::qt_platform::testing
