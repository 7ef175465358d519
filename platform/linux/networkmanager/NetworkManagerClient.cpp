#include "platform/linux/networkmanager/NetworkManagerClient.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariantMap>

#include "common/Text.h"
#include "platform/linux/SystemRoot.h"

namespace velnix::linux_platform {

namespace {

using Settings = QMap<QString, QVariantMap>;

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// A NetworkManager that hangs must not freeze the window for long, which asks every second.
constexpr int kTimeoutMs = 2000;
constexpr uint32_t kActivated = 2;  // NM_ACTIVE_CONNECTION_STATE_ACTIVATED

QDBusConnection ChosenBus() {
    // The settings' type is known before the connection's thread may meet it.
    static const QMetaType settingsType = qDBusRegisterMetaType<Settings>();
    static_cast<void>(settingsType);
    if (SystemRoot() != "/" && qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS")) {
        return QDBusConnection(QStringLiteral("velnix-no-system-bus"));  // never connected
    }
    return QDBusConnection::systemBus();
}

QDBusMessage Call(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, kTimeoutMs);
}

bool Failed(const QDBusMessage& reply) {
    return reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty();
}

std::optional<ManagerError> ErrorOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) return std::nullopt;
    return ManagerError{reply.errorName().toStdString(), reply.errorMessage().toStdString()};
}

template <typename T>
T Cast(const QVariant& value) {
    if (value.canConvert<QDBusArgument>()) return qdbus_cast<T>(value.value<QDBusArgument>());
    return value.value<T>();
}

QVariant Property(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& name) {
    const QDBusMessage reply =
        Call(bus, path, kProperties, QStringLiteral("Get"), {interface, name});
    if (Failed(reply)) return {};
    return reply.arguments()[0].value<QDBusVariant>().variant();
}

std::optional<Settings> SettingsOf(const QDBusConnection& bus, const QString& path) {
    const QDBusMessage reply =
        Call(bus, path, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
             QStringLiteral("GetSettings"));
    if (Failed(reply)) return std::nullopt;
    return Cast<Settings>(reply.arguments()[0]);
}

// The connection of `settings` when it is of a dial-up kind.
std::optional<ManagedConnection> DialUpConnection(const QString& path, const Settings& settings) {
    const QVariantMap connection = settings.value(QStringLiteral("connection"));
    const QString type = connection.value(QStringLiteral("type")).toString();
    QString secrets = type;
    if (type == QLatin1String("bluetooth")) {
        const QVariantMap bluetooth = settings.value(QStringLiteral("bluetooth"));
        if (bluetooth.value(QStringLiteral("type")).toString() != QLatin1String("dun")) {
            return std::nullopt;
        }
        secrets = settings.contains(QStringLiteral("cdma")) ? QStringLiteral("cdma")
                                                            : QStringLiteral("gsm");
    } else if (type != QLatin1String("pppoe") && type != QLatin1String("gsm") &&
               type != QLatin1String("cdma")) {
        return std::nullopt;
    }
    const QString id = connection.value(QStringLiteral("id")).toString();
    if (id.isEmpty()) return std::nullopt;
    return ManagedConnection{path.toStdString(), id.toStdString(), secrets.toStdString()};
}

std::vector<QString> Paths(const QVariant& value) {
    std::vector<QString> paths;
    for (const QDBusObjectPath& path : Cast<QList<QDBusObjectPath>>(value)) {
        paths.push_back(path.path());
    }
    return paths;
}

bool NameOwned(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

}  // namespace

NetworkManagerClient::NetworkManagerClient() : bus_(ChosenBus()) {}

void NetworkManagerClient::WatchPresence() {
    watcher_ = std::make_unique<QDBusServiceWatcher>(kService, bus_,
                                                     QDBusServiceWatcher::WatchForOwnerChange);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged,
                     [this](const QString&, const QString&, const QString& owner) {
                         present_ = !owner.isEmpty();
                     });
    present_ = NameOwned(bus_);
}

bool NetworkManagerClient::Present() const { return watcher_ ? present_ : NameOwned(bus_); }

std::optional<std::vector<ManagedConnection>> NetworkManagerClient::Connections() const {
    if (!Present()) return std::nullopt;
    const QDBusMessage reply =
        Call(bus_, kSettingsPath, QStringLiteral("org.freedesktop.NetworkManager.Settings"),
             QStringLiteral("ListConnections"));
    if (Failed(reply)) return std::nullopt;
    std::vector<ManagedConnection> connections;
    for (const QString& path : Paths(reply.arguments()[0])) {
        const std::optional<Settings> settings = SettingsOf(bus_, path);
        if (!settings) continue;  // removed meanwhile
        if (std::optional<ManagedConnection> connection = DialUpConnection(path, *settings)) {
            connections.push_back(std::move(*connection));
        }
    }
    return connections;
}

std::optional<ManagedConnection> NetworkManagerClient::Find(const std::string& entry) const {
    for (ManagedConnection& connection : Connections().value_or(std::vector<ManagedConnection>{})) {
        if (EqualsIgnoreCase(connection.id, entry)) return std::move(connection);
    }
    return std::nullopt;
}

std::vector<ActiveManagedConnection> NetworkManagerClient::ActiveConnections() const {
    std::vector<ActiveManagedConnection> actives;
    if (!Present()) return actives;
    const QString activeInterface =
        QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
    const QVariant paths =
        Property(bus_, kManagerPath, QStringLiteral("org.freedesktop.NetworkManager"),
                 QStringLiteral("ActiveConnections"));
    for (const QString& path : Paths(paths)) {
        const QDBusMessage reply =
            Call(bus_, path, kProperties, QStringLiteral("GetAll"), {activeInterface});
        if (Failed(reply)) continue;  // ended meanwhile
        const QVariantMap properties = Cast<QVariantMap>(reply.arguments()[0]);
        const QString type = properties.value(QStringLiteral("Type")).toString();
        if (type != QLatin1String("pppoe") && type != QLatin1String("gsm") &&
            type != QLatin1String("cdma") && type != QLatin1String("bluetooth")) {
            continue;
        }
        ActiveManagedConnection active;
        active.path = path.toStdString();
        active.connectionPath =
            Cast<QDBusObjectPath>(properties.value(QStringLiteral("Connection")))
                .path()
                .toStdString();
        active.activated = properties.value(QStringLiteral("State")).toUInt() == kActivated;
        const std::vector<QString> devices = Paths(properties.value(QStringLiteral("Devices")));
        if (!devices.empty()) {
            active.interfaceName = Property(bus_, devices.front(),
                                            QStringLiteral("org.freedesktop.NetworkManager.Device"),
                                            QStringLiteral("IpInterface"))
                                       .toString()
                                       .toStdString();
        }
        actives.push_back(std::move(active));
    }
    return actives;
}

std::optional<ManagerError> NetworkManagerClient::Activate(const ManagedConnection& connection,
                                                           const std::string& login,
                                                           const std::string& password) {
    const QString path = QString::fromStdString(connection.path);
    if (!login.empty() || !password.empty()) {
        std::optional<Settings> settings = SettingsOf(bus_, path);
        if (!settings) return ManagerError{"", "connexion introuvable"};
        QVariantMap& secrets = (*settings)[QString::fromStdString(connection.secretsSetting)];
        if (!login.empty()) secrets[QStringLiteral("username")] = QString::fromStdString(login);
        if (!password.empty())
            secrets[QStringLiteral("password")] = QString::fromStdString(password);
        const QDBusMessage reply =
            Call(bus_, path, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
                 QStringLiteral("UpdateUnsaved"), {QVariant::fromValue(*settings)});
        if (std::optional<ManagerError> error = ErrorOf(reply)) return error;
    }
    const QVariant none = QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")));
    return ErrorOf(Call(bus_, kManagerPath, QStringLiteral("org.freedesktop.NetworkManager"),
                        QStringLiteral("ActivateConnection"),
                        {QVariant::fromValue(QDBusObjectPath(path)), none, none}));
}

std::optional<ManagerError> NetworkManagerClient::Deactivate(const std::string& activePath) {
    return ErrorOf(
        Call(bus_, kManagerPath, QStringLiteral("org.freedesktop.NetworkManager"),
             QStringLiteral("DeactivateConnection"),
             {QVariant::fromValue(QDBusObjectPath(QString::fromStdString(activePath)))}));
}

}  // namespace velnix::linux_platform
