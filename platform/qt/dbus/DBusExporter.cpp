#include "platform/qt/dbus/DBusExporter.h"

#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/dbus/PublishedTenaline.h"
#include "platform/qt/dbus/TenalineFactory.h"

namespace velnix::qt_platform {

DBusExporter::DBusExporter(QDBusConnection connection, CreateObject createObject)
    : connection_(std::move(connection)), createObject_(std::move(createObject)) {}

DBusExporter::~DBusExporter() {
    if (ownsName_) connection_.unregisterService(bus::kServiceName);
    for (const auto& published : published_) connection_.unregisterObject(published->Path());
    if (factory_) connection_.unregisterObject(bus::kFactoryPath);
}

QString DBusExporter::Publish(const std::shared_ptr<InternetTenaline>& object) {
    if (!factory_) {
        factory_ = std::make_unique<TenalineFactory>([this] { return Export(createObject_()); });
        connection_.registerVirtualObject(bus::kFactoryPath, factory_.get());
    }
    const QString path = Export(object);
    if (!ownsName_) ownsName_ = connection_.registerService(bus::kServiceName);
    return path;
}

QString DBusExporter::Export(const std::shared_ptr<InternetTenaline>& object) {
    const QString path = bus::kObjectPathPrefix + QString::number(nextNumber_++);
    auto published = std::make_unique<PublishedTenaline>(connection_, path, object);
    if (!connection_.registerVirtualObject(path, published.get())) return {};
    std::erase_if(published_, [](const auto& earlier) { return earlier->Withdrawn(); });
    published_.push_back(std::move(published));
    return path;
}

}  // namespace velnix::qt_platform
