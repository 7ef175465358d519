#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velnix::linux_platform {

// A connection of NetworkManager of a dial-up kind: pppoe, gsm, cdma or bluetooth DUN.
struct ManagedConnection {
    std::string path;  // its settings object
    std::string id;
    std::string secretsSetting;  // the setting that holds its username and password
};

// An active connection of a dial-up kind.
struct ActiveManagedConnection {
    std::string path;
    std::string connectionPath;
    bool activated = false;
    std::string interfaceName;  // the IP interface of its device, empty until it has one
};

// The outcome of a request: empty when done, else NetworkManager's error.
struct ManagerError {
    std::string name;
    std::string message;
};

// NetworkManager's dial-up connections over the system bus (DBUS_SYSTEM_BUS_ADDRESS when set).
// NetworkManager is looked for on every request, so that it may come and go, unless its
// presence is watched. Under a moved system root (VELNIX_ROOT) only a bus that
// DBUS_SYSTEM_BUS_ADDRESS names is used: the machine's own NetworkManager never mixes with a
// fixture tree.
class NetworkManagerClient {
  public:
    NetworkManagerClient();

    // From now on, NetworkManager's presence is what the bus last told of its name: asked once
    // here, then followed from the bus's name-owner signals through the event loop, so that no
    // request is sent while it is absent.
    void WatchPresence();

    // Whether NetworkManager owns its name on the bus.
    bool Present() const;

    const QDBusConnection& Bus() const { return bus_; }

    // The dial-up connections; nothing when NetworkManager is absent.
    std::optional<std::vector<ManagedConnection>> Connections() const;

    // The connection named `entry` (letter case aside), when NetworkManager has one.
    std::optional<ManagedConnection> Find(const std::string& entry) const;

    // The active connections of the dial-up kinds, whatever their state.
    std::vector<ActiveManagedConnection> ActiveConnections() const;

    // Activates `connection`, with its stored secrets when `login` and `password` are empty;
    // otherwise they are first handed to NetworkManager over the bus, kept in its memory only
    // (UpdateUnsaved), never written to disk.
    std::optional<ManagerError> Activate(const ManagedConnection& connection,
                                         const std::string& login, const std::string& password);

    std::optional<ManagerError> Deactivate(const std::string& activePath);

  private:
    QDBusConnection bus_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    bool present_ = false;  // while watched
};

}  // namespace velnix::linux_platform
