#include "platform/qt/dbus/DBusExporter.h"

#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/dbus/PublishedObjects.h"
#include "platform/qt/dbus/TenalineFactory.h"

namespace velnix::qt_platform {

DBusExporter::DBusExporter(QDBusConnection connection, CreateObject createObject)
    : connection_(std::move(connection)), createObject_(std::move(createObject)) {}

DBusExporter::~DBusExporter() {
    if (ownsName_) connection_.unregisterService(bus::kServiceName);
    if (objects_) connection_.unregisterObject(bus::kObjectFolder);
    if (factory_) connection_.unregisterObject(bus::kFactoryPath);
}

QString DBusExporter::Publish(const std::shared_ptr<InternetTenaline>& object) {
    if (!factory_) {
        factory_ = std::make_unique<TenalineFactory>([this] { return Export(createObject_()); });
        connection_.registerVirtualObject(bus::kFactoryPath, factory_.get());
        objects_ = std::make_unique<PublishedObjects>();
        if (!connection_.registerVirtualObject(bus::kObjectFolder, objects_.get(),
                                               QDBusConnection::SubPath)) {
            objects_.reset();
        }
    }
    const QString path = Export(object);
    if (!ownsName_) ownsName_ = connection_.registerService(bus::kServiceName);
    return path;
}

QString DBusExporter::Export(const std::shared_ptr<InternetTenaline>& object) {
    return objects_ ? objects_->Add(connection_, object) : QString();
}

}  // namespace velnix::qt_platform
