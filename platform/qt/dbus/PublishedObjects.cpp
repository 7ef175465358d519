#include "platform/qt/dbus/PublishedObjects.h"

#include <algorithm>

#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/dbus/BusReplies.h"
#include "platform/qt/dbus/PublishedTenaline.h"

namespace velnix::qt_platform {

PublishedObjects::PublishedObjects() = default;

PublishedObjects::~PublishedObjects() = default;

QString PublishedObjects::Add(const QDBusConnection& connection,
                              const std::shared_ptr<InternetTenaline>& object) {
    std::erase_if(published_, [](const auto& earlier) { return earlier->Withdrawn(); });
    const QString path = bus::kObjectPathPrefix + QString::number(nextNumber_++);
    published_.push_back(std::make_unique<PublishedTenaline>(connection, path, object));
    return path;
}

PublishedTenaline* PublishedObjects::Find(const QString& path) const {
    for (const auto& published : published_) {
        if (published->Path() == path) return published.get();
    }
    return nullptr;
}

QString PublishedObjects::introspect(const QString& path) const {
    if (path != QLatin1String(bus::kObjectFolder)) {
        const PublishedTenaline* published = Find(path);
        return published ? published->introspect(path) : QString();
    }
    QString nodes;
    const qsizetype prefixLength = QLatin1String(bus::kObjectPathPrefix).size();
    for (const auto& published : published_) {
        if (published->Withdrawn()) continue;
        nodes += QString("  <node name=\"%1\"/>\n").arg(published->Path().sliced(prefixLength));
    }
    return nodes;
}

bool PublishedObjects::handleMessage(const QDBusMessage& message,
                                     const QDBusConnection& connection) {
    const QString path = message.path();
    if (path == QLatin1String(bus::kObjectFolder)) {
        // The folder has no member of its own: its introspection is built from ours.
        if (message.member() == "Introspect") return false;
        SendReply(message, UnknownMemberReply(message), connection);
        return true;
    }
    if (PublishedTenaline* published = Find(path)) {
        return published->handleMessage(message, connection);
    }
    bool isNumber = false;
    const int number = path.sliced(QLatin1String(bus::kObjectPathPrefix).size()).toInt(&isNumber);
    const bool gone = isNumber && number >= 1 && number < nextNumber_;
    SendReply(message,
              gone ? ReleasedObjectReply(message)
                   : message.createErrorReply(QDBusError::UnknownObject,
                                              QString("Aucun objet n'est publié à %1.").arg(path)),
              connection);
    return true;
}

}  // namespace velnix::qt_platform
