#pragma once

#include <functional>
#include <memory>

#include <QDBusConnection>
#include <QString>

#include "engine/InternetTenaline.h"

namespace velnix::qt_platform {

class PublishedObjects;
class TenalineFactory;

// Publishes the program's connection objects on a bus under the name org.velnix.Connect: the
// object the program starts with at /org/velnix/Connect/InternetTenaline/1, and a factory at
// /org/velnix/Connect that creates further objects (each with its own main window) with
// `createObject` and publishes them at the following numbers.
//
// The exporter holds the objects weakly: an object lives as long as its window (or an open
// configuration dialog) keeps it. Once it is released its path is no longer listed, and every
// call on it is answered in French that the object is gone.
class DBusExporter {
  public:
    using CreateObject = std::function<std::shared_ptr<InternetTenaline>()>;

    DBusExporter(QDBusConnection connection, CreateObject createObject);
    ~DBusExporter();
    DBusExporter(const DBusExporter&) = delete;
    DBusExporter& operator=(const DBusExporter&) = delete;

    // Publishes `object` at the next path and returns that path, or an empty text when the bus
    // refused it. The first call also publishes the factory and then takes the bus name, so that
    // a client started by the name finds the objects in place.
    QString Publish(const std::shared_ptr<InternetTenaline>& object);

    // Whether the program holds its bus name (false when another program holds it or the bus
    // cannot be reached).
    bool OwnsServiceName() const { return ownsName_; }

  private:
    QString Export(const std::shared_ptr<InternetTenaline>& object);

    QDBusConnection connection_;
    CreateObject createObject_;
    std::unique_ptr<TenalineFactory> factory_;
    std::unique_ptr<PublishedObjects> objects_;  // null when the bus refused the folder
    bool ownsName_ = false;
};

}  // namespace velnix::qt_platform
