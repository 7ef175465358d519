#pragma once

#include <functional>

#include <QDBusVirtualObject>
#include <QString>

namespace velnix::qt_platform {

// The bus object that creates connection objects for clients: its one method runs `create`,
// which creates an object (and its main window), publishes it and returns its path.
class TenalineFactory : public QDBusVirtualObject {
  public:
    explicit TenalineFactory(std::function<QString()> create) : create_(std::move(create)) {}

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    std::function<QString()> create_;
};

}  // namespace velnix::qt_platform
