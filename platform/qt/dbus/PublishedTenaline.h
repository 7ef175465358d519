#pragma once

#include <memory>
#include <string>

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>

#include "engine/InternetTenaline.h"
#include "engine/TenalineEvents.h"

namespace velnix::qt_platform {

// One connection object on the bus: answers the calls of its interface and of the standard
// Properties interface by the object's own operations, and turns the object's events into
// signals. No property sends PropertiesChanged: the options live in the settings, where others
// change them unseen, and a signal would hand the password to every listener of the bus.
// It holds the object weakly: once the object's last holder has let go of it, every call fails
// with UnknownObject.
class PublishedTenaline : public QDBusVirtualObject, private TenalineEvents {
  public:
    PublishedTenaline(QDBusConnection connection, QString path,
                      const std::shared_ptr<InternetTenaline>& object);
    ~PublishedTenaline() override;

    const QString& Path() const { return path_; }
    bool Withdrawn() const { return object_.expired(); }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    QDBusMessage Invoke(const QDBusMessage& call, InternetTenaline& object);
    QDBusMessage GetProperty(const QDBusMessage& call, InternetTenaline& object);
    QDBusMessage SetProperty(const QDBusMessage& call, InternetTenaline& object);
    QDBusMessage GetAllProperties(const QDBusMessage& call, InternetTenaline& object);

    void Connected() override;
    void Disconnected() override;
    void UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                     int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) override;

    QDBusConnection connection_;
    QString path_;
    std::string signalPath_;
    std::weak_ptr<InternetTenaline> object_;
};

}  // namespace velnix::qt_platform
