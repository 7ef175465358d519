#pragma once

#include <sys/types.h>

#include <QDBusConnection>
#include <QMap>
#include <QString>
#include <QVariantMap>
#include <string>
#include <vector>

namespace velnix::linux_platform::testing {

using ConnectionSettings = QMap<QString, QVariantMap>;

// A system bus of the test's own (a dbus-daemon started once per test process), named to every
// program the test runs through DBUS_SYSTEM_BUS_ADDRESS. Never the machine's system bus.
void UsePrivateSystemBus();

// Runs the event loop until every signal sent on the private system bus so far, NetworkManager's
// and the bus's own, has reached its receivers in this process.
void DeliverSystemBusSignals();

// python3-dbusmock's NetworkManager template on the private system bus, for the fixture's life;
// Stop() makes NetworkManager leave the bus.
class MockNetworkManager {
  public:
    MockNetworkManager();
    ~MockNetworkManager();
    MockNetworkManager(const MockNetworkManager&) = delete;
    MockNetworkManager& operator=(const MockNetworkManager&) = delete;

    void Stop();

    // A connection of `type` named `id` with its other settings; returns its path.
    QString AddConnection(const QString& id, const QString& type, ConnectionSettings settings = {});
    void Rename(const QString& connection, const QString& id);
    ConnectionSettings SettingsOf(const QString& connection);

    // A device whose IP interface is `ipInterface`; returns its path.
    QString AddDevice(const QString& name, const QString& ipInterface);

    QStringList ActiveConnections();
    // Gives an active connection its device, as NetworkManager does once it has chosen one.
    void AttachDevice(const QString& active, const QString& device);
    void SetActiveState(const QString& active, unsigned state);
    // The link of `active` on `device` drops: the active connection is gone.
    void Drop(const QString& active, const QString& device);

    // ActivateConnection answers with the D-Bus error `name` from now on.
    void RefuseActivation(const QString& name);

  private:
    QDBusConnection bus_;
    pid_t pid_ = -1;
};

}  // namespace velnix::linux_platform::testing
