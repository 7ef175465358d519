#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/networkmanager/NetworkManagerClient.h"
#include "platform/linux/ras/LinkSource.h"

namespace velnix::linux_platform {

// The monitor enumerates several times within a tick, a few milliseconds apart, and ticks come
// a second apart: however often NetworkManager tells of changes, a view is taken again at most
// once in this time, and a dial or a hang-up the program starts is still seen on the next tick.
inline constexpr std::chrono::milliseconds kManagerViewLifetime{500};

// NetworkManager's dial-up connections as the program's second phone book. Its presence is
// watched, so that nothing is sent over the bus while it is absent. While present, its
// connections and active connections are asked again only once its signals have told of a
// change (a connection added, removed or updated; the active connections, their states, devices
// or interfaces changed), at most once per `viewLifetime`; that view serves every enumeration
// meanwhile. The signals come through the event loop.
class NetworkManagerLinks : public QObject, public LinkSource {
    Q_OBJECT

  public:
    explicit NetworkManagerLinks(std::chrono::milliseconds viewLifetime = kManagerViewLifetime);

    // The connections' ids; the activated ones whose device has an IP interface, their duration
    // counted from the moment the program first saw them activated.
    std::optional<std::vector<std::string>> Entries() override;
    std::vector<SourceLink> UpLinks() override;

  private Q_SLOTS:
    void Changed();
    void PropertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

  private:
    struct View {
        std::optional<std::vector<ManagedConnection>> connections;
        std::vector<ActiveManagedConnection> actives;
        std::optional<std::chrono::steady_clock::time_point> takenAt;
    };

    const View& Current();

    NetworkManagerClient client_;
    std::chrono::milliseconds viewLifetime_;
    View view_;
    bool stale_ = true;
    std::map<std::string, std::chrono::steady_clock::time_point> firstSeen_;
};

}  // namespace velnix::linux_platform
