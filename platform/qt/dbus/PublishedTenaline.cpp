#include "platform/qt/dbus/PublishedTenaline.h"

#include <QDBusMetaType>
#include <QDBusVariant>
#include <QStringList>

#include "platform/qt/Utf8.h"
#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/dbus/BusReplies.h"
#include "platform/qt/dbus/BusSignal.h"

namespace velnix::qt_platform {

namespace {

constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr char kIntrospectableInterface[] = "org.freedesktop.DBus.Introspectable";

// The properties of the interface, in the order of the class's operations.
struct Property {
    const char* name;
    QMetaType type;
    const char* typeText;  // what a wrong value is told it should be
    QVariant (*read)(InternetTenaline&);
    void (*write)(InternetTenaline&, const QVariant&);  // null for a read-only property
};

std::string Utf8(const QVariant& value) { return value.toString().toStdString(); }

const Property kProperties[] = {
    {"Tenaline", QMetaType::fromType<bool>(), "un booléen (b)",
     [](InternetTenaline& o) { return QVariant(o.Tenaline()); },
     [](InternetTenaline& o, const QVariant& v) { o.Tenaline(v.toBool()); }},
    {"Login", QMetaType::fromType<QString>(), "un texte (s)",
     [](InternetTenaline& o) { return QVariant(FromUtf8(o.Login())); },
     [](InternetTenaline& o, const QVariant& v) { o.Login(Utf8(v)); }},
    {"PassWord", QMetaType::fromType<QString>(), "un texte (s)",
     [](InternetTenaline& o) { return QVariant(FromUtf8(o.PassWord())); },
     [](InternetTenaline& o, const QVariant& v) { o.PassWord(Utf8(v)); }},
    {"Connection", QMetaType::fromType<QString>(), "un texte (s)",
     [](InternetTenaline& o) { return QVariant(FromUtf8(o.Connection())); },
     [](InternetTenaline& o, const QVariant& v) { o.Connection(Utf8(v)); }},
    {"Connected", QMetaType::fromType<bool>(), "un booléen (b)",
     [](InternetTenaline& o) { return QVariant(o.Connected()); }, nullptr},
    {"ConnectionList", QMetaType::fromType<QStringList>(), "une liste de textes (as)",
     [](InternetTenaline& o) {
         QStringList names;
         for (const std::string& name : o.ConnectionList()) names << FromUtf8(name);
         return QVariant(names);
     },
     nullptr},
};

const Property* FindProperty(const QString& name) {
    for (const Property& property : kProperties) {
        if (name == QLatin1String(property.name)) return &property;
    }
    return nullptr;
}

bool IsOwnInterface(const QString& interface) {
    return interface.isEmpty() || interface == QLatin1String(bus::kObjectInterface);
}

QDBusMessage UnknownPropertyReply(const QDBusMessage& call, const QString& interface,
                                  const QString& name) {
    if (!IsOwnInterface(interface)) {
        return call.createErrorReply(QDBusError::UnknownInterface,
                                     QString("Interface inconnue : %1.").arg(interface));
    }
    return call.createErrorReply(QDBusError::UnknownProperty,
                                 QString("Propriété inconnue : %1.").arg(name));
}

}  // namespace

PublishedTenaline::PublishedTenaline(QDBusConnection connection, QString path,
                                     const std::shared_ptr<InternetTenaline>& object)
    : connection_(std::move(connection)),
      path_(std::move(path)),
      signalPath_(path_.toStdString()),
      object_(object) {
    object->Advise(this);
}

PublishedTenaline::~PublishedTenaline() {
    if (auto object = object_.lock()) object->Unadvise(this);
}

QString PublishedTenaline::introspect(const QString&) const {
    return InterfaceIntrospection(":/velnix/dbus/org.velnix.Connect.InternetTenaline.xml");
}

bool PublishedTenaline::handleMessage(const QDBusMessage& message,
                                      const QDBusConnection& connection) {
    const std::shared_ptr<InternetTenaline> object = object_.lock();
    if (!object) {
        SendReply(message, ReleasedObjectReply(message), connection);
        return true;
    }
    // The standard introspection adds the standard interfaces and the child nodes to ours.
    if (message.interface() == QLatin1String(kIntrospectableInterface)) return false;
    AnswerCall(message, connection, [&] { return Invoke(message, *object); });
    return true;
}

QDBusMessage PublishedTenaline::Invoke(const QDBusMessage& call, InternetTenaline& object) {
    const QString member = call.member();
    if (call.interface() == QLatin1String(kPropertiesInterface)) {
        if (member == "Get") return GetProperty(call, object);
        if (member == "Set") return SetProperty(call, object);
        if (member == "GetAll") return GetAllProperties(call, object);
    } else if (IsOwnInterface(call.interface()) &&
               (member == "Connect" || member == "Disconnect")) {
        if (!call.signature().isEmpty()) return WrongArgumentsReply(call, "");
        if (member == "Connect") {
            object.Connect();
        } else {
            object.Disconnect();
        }
        return call.createReply();
    }
    return UnknownMemberReply(call);
}

QDBusMessage PublishedTenaline::GetProperty(const QDBusMessage& call, InternetTenaline& object) {
    if (call.signature() != "ss") return WrongArgumentsReply(call, "ss");
    const QString interface = call.arguments().at(0).toString();
    const QString name = call.arguments().at(1).toString();
    const Property* property = IsOwnInterface(interface) ? FindProperty(name) : nullptr;
    if (!property) return UnknownPropertyReply(call, interface, name);
    return call.createReply(QVariant::fromValue(QDBusVariant(property->read(object))));
}

QDBusMessage PublishedTenaline::SetProperty(const QDBusMessage& call, InternetTenaline& object) {
    if (call.signature() != "ssv") return WrongArgumentsReply(call, "ssv");
    const QString interface = call.arguments().at(0).toString();
    const QString name = call.arguments().at(1).toString();
    const Property* property = IsOwnInterface(interface) ? FindProperty(name) : nullptr;
    if (!property) return UnknownPropertyReply(call, interface, name);
    if (!property->write) {
        return call.createErrorReply(QDBusError::PropertyReadOnly,
                                     QString("La propriété %1 est en lecture seule.").arg(name));
    }
    const QVariant value = call.arguments().at(2).value<QDBusVariant>().variant();
    if (value.metaType() != property->type) {
        const char* given = QDBusMetaType::typeToSignature(value.metaType());
        return call.createErrorReply(
            QDBusError::InvalidArgs,
            QString("La propriété %1 attend %2, pas une valeur de type « %3 ».")
                .arg(name, QString::fromUtf8(property->typeText),
                     given ? QString::fromLatin1(given) : QString("?")));
    }
    property->write(object, value);
    return call.createReply();
}

QDBusMessage PublishedTenaline::GetAllProperties(const QDBusMessage& call,
                                                 InternetTenaline& object) {
    if (call.signature() != "s") return WrongArgumentsReply(call, "s");
    const QString interface = call.arguments().at(0).toString();
    QVariantMap values;
    if (IsOwnInterface(interface)) {
        for (const Property& property : kProperties) {
            values.insert(property.name, property.read(object));
        }
    } else if (interface != QLatin1String(kPropertiesInterface) &&
               interface != QLatin1String(kIntrospectableInterface) &&
               interface != "org.freedesktop.DBus.Peer") {
        return UnknownPropertyReply(call, interface, {});
    }
    return call.createReply(QVariant::fromValue(values));
}

void PublishedTenaline::Connected() {
    BusSignal(signalPath_, bus::kObjectInterface, "Connected").SendOn(connection_);
}

void PublishedTenaline::Disconnected() {
    BusSignal(signalPath_, bus::kObjectInterface, "Disconnected").SendOn(connection_);
}

void PublishedTenaline::UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                                    int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) {
    BusSignal signal(signalPath_, bus::kObjectInterface, "UpdateState");
    signal << sNom << lTemps << lOctetsRecus << lOctetsEnvoyes << lVitesseD << lVitesseU;
    signal.SendOn(connection_);
}

}  // namespace velnix::qt_platform
