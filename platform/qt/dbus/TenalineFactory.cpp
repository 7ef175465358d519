#include "platform/qt/dbus/TenalineFactory.h"

#include <QDBusObjectPath>

#include "common/Errors.h"
#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/dbus/BusReplies.h"

namespace velnix::qt_platform {

QString TenalineFactory::introspect(const QString&) const {
    return InterfaceIntrospection(":/velnix/dbus/org.velnix.Connect.Factory.xml");
}

bool TenalineFactory::handleMessage(const QDBusMessage& message,
                                    const QDBusConnection& connection) {
    const QString interface = message.interface();
    if (interface == "org.freedesktop.DBus.Introspectable") return false;
    AnswerCall(message, connection, [&] {
        if ((!interface.isEmpty() && interface != QLatin1String(bus::kFactoryInterface)) ||
            message.member() != "CreateInternetTenaline") {
            return UnknownMemberReply(message);
        }
        if (!message.signature().isEmpty()) return WrongArgumentsReply(message, "");
        const QString path = create_();
        if (path.isEmpty()) throw VelnixError("L'objet créé n'a pas pu être publié sur le bus.");
        return message.createReply(QVariant::fromValue(QDBusObjectPath(path)));
    });
    return true;
}

}  // namespace velnix::qt_platform
