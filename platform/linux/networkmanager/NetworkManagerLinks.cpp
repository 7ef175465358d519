#include "platform/linux/networkmanager/NetworkManagerLinks.h"

#include <QDBusConnection>
#include <algorithm>
#include <functional>

namespace velnix::linux_platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");

// Active connection paths end with a number, which makes the handle.
uint32_t HandleOf(const std::string& activePath) {
    const std::string number = activePath.substr(activePath.rfind('/') + 1);
    const bool numeric =
        !number.empty() && number.size() <= 9 &&
        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    const uint32_t value = numeric ? static_cast<uint32_t>(std::stoul(number))
                                   : static_cast<uint32_t>(std::hash<std::string>{}(activePath));
    return kSourceHandleBit | (value & ~kSourceHandleBit);
}

}  // namespace

NetworkManagerLinks::NetworkManagerLinks(std::chrono::milliseconds viewLifetime)
    : viewLifetime_(viewLifetime) {
    client_.WatchPresence();
    QDBusConnection bus = client_.Bus();
    const QString settings = QStringLiteral("org.freedesktop.NetworkManager.Settings");
    const QString settingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
    for (const char* name : {"NewConnection", "ConnectionRemoved"}) {
        bus.connect(kService, settingsPath, settings, QString::fromLatin1(name), this,
                    SLOT(Changed()));
    }
    // Every connection and every active connection: an empty path stands for any object.
    bus.connect(kService, QString(), settings + QStringLiteral(".Connection"),
                QStringLiteral("Updated"), this, SLOT(Changed()));
    bus.connect(kService, QString(),
                QStringLiteral("org.freedesktop.NetworkManager.Connection.Active"),
                QStringLiteral("StateChanged"), this, SLOT(Changed()));
    // A NetworkManager started again holds new objects.
    const QString busService = QStringLiteral("org.freedesktop.DBus");
    bus.connect(busService, QStringLiteral("/org/freedesktop/DBus"), busService,
                QStringLiteral("NameOwnerChanged"), {kService}, QString(), this, SLOT(Changed()));
    bus.connect(kService, QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this,
                SLOT(PropertiesChanged(QString, QVariantMap, QStringList)));
}

void NetworkManagerLinks::Changed() { stale_ = true; }

void NetworkManagerLinks::PropertiesChanged(const QString& interface, const QVariantMap& changed,
                                            const QStringList& invalidated) {
    // Only what the view holds: the other properties of NetworkManager's many objects change
    // often (a wireless network's strength) and tell nothing of dial-up links.
    static const std::map<QString, QStringList> kWatched = {
        {kService, {QStringLiteral("ActiveConnections")}},
        {kService + QStringLiteral(".Connection.Active"),
         {QStringLiteral("State"), QStringLiteral("Devices")}},
        {kService + QStringLiteral(".Device"), {QStringLiteral("IpInterface")}},
    };
    const auto watched = kWatched.find(interface);
    if (watched == kWatched.end()) return;
    for (const QString& name : watched->second) {
        if (changed.contains(name) || invalidated.contains(name)) stale_ = true;
    }
}

const NetworkManagerLinks::View& NetworkManagerLinks::Current() {
    const auto now = std::chrono::steady_clock::now();
    if (!client_.Present()) {
        // Nothing to ask; when it comes back, its view is taken anew.
        view_ = View{};
        stale_ = true;
        return view_;
    }
    if (!stale_ || (view_.takenAt && now - *view_.takenAt < viewLifetime_)) return view_;
    stale_ = false;
    view_.takenAt = now;
    view_.connections = client_.Connections();
    view_.actives =
        view_.connections ? client_.ActiveConnections() : std::vector<ActiveManagedConnection>{};
    return view_;
}

std::optional<std::vector<std::string>> NetworkManagerLinks::Entries() {
    const View& view = Current();
    if (!view.connections) return std::nullopt;
    std::vector<std::string> ids;
    for (const ManagedConnection& connection : *view.connections) ids.push_back(connection.id);
    return ids;
}

std::vector<SourceLink> NetworkManagerLinks::UpLinks() {
    const View& view = Current();
    const auto now = std::chrono::steady_clock::now();
    std::map<std::string, std::chrono::steady_clock::time_point> seen;
    std::vector<SourceLink> links;
    for (const ActiveManagedConnection& active : view.actives) {
        if (!active.activated || active.interfaceName.empty()) continue;
        // The id comes from the settings of the same view, so that a renamed connection shows
        // its new name.
        const auto connection = std::find_if(
            view.connections->begin(), view.connections->end(),
            [&](const ManagedConnection& c) { return c.path == active.connectionPath; });
        if (connection == view.connections->end()) continue;
        const auto known = firstSeen_.find(active.path);
        const auto since = known == firstSeen_.end() ? now : known->second;
        seen[active.path] = since;
        const auto duration = std::chrono::duration_cast<std::chrono::milliseconds>(now - since);
        links.push_back({HandleOf(active.path), connection->id, active.interfaceName,
                         static_cast<uint64_t>(duration.count())});
    }
    firstSeen_ = std::move(seen);
    return links;
}

}  // namespace velnix::linux_platform
