#pragma once

#include <memory>
#include <vector>

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>

#include "engine/InternetTenaline.h"

namespace velnix::qt_platform {

class PublishedTenaline;

// The folder of the connection objects on the bus, /org/velnix/Connect/InternetTenaline, which
// receives every call on a path below it: a call reaches the object published at its path; a
// path whose object is gone, or that never had one, is answered in French. Introspecting the
// folder lists the objects that live.
class PublishedObjects : public QDBusVirtualObject {
  public:
    PublishedObjects();
    ~PublishedObjects() override;

    // Publishes `object` at the next number (a number is never used twice) and returns its path.
    // The records of the objects gone since the last call are dropped.
    QString Add(const QDBusConnection& connection, const std::shared_ptr<InternetTenaline>& object);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    PublishedTenaline* Find(const QString& path) const;

    std::vector<std::unique_ptr<PublishedTenaline>> published_;
    int nextNumber_ = 1;
};

}  // namespace velnix::qt_platform
