#include "tests/dbus/BusClient.h"

#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTest>

#include "platform/qt/dbus/BusNames.h"

namespace velnix::qt_platform::testing {

namespace {
constexpr char kClientName[] = "velnix-test-client";
constexpr char kProperties[] = "org.freedesktop.DBus.Properties";
}  // namespace

BusClient::BusClient()
    : connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, kClientName)) {}

BusClient::~BusClient() { QDBusConnection::disconnectFromBus(kClientName); }

QDBusMessage BusClient::Call(const QString& path, const QString& interface, const QString& member,
                             const QVariantList& arguments, const QString& service) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        service.isEmpty() ? QString(bus::kServiceName) : service, path, interface, member);
    call.setArguments(arguments);
    QDBusPendingCall pending = connection.asyncCall(call);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 10000)) {
        return QDBusMessage::createError("org.velnix.Test.Timeout", "pas de réponse");
    }
    return pending.reply();
}

QDBusMessage BusClient::Get(const QString& path, const QString& property) {
    return Call(path, kProperties, "Get", {QString(bus::kObjectInterface), property});
}

QDBusMessage BusClient::Set(const QString& path, const QString& property, const QVariant& value) {
    return Call(
        path, kProperties, "Set",
        {QString(bus::kObjectInterface), property, QVariant::fromValue(QDBusVariant(value))});
}

QVariant BusClient::Value(const QString& path, const QString& property) {
    const QDBusMessage reply = Get(path, property);
    if (reply.type() != QDBusMessage::ReplyMessage) return {};
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

void BusClient::Listen() {
    const QString interface = bus::kObjectInterface;
    connection.connect({}, {}, interface, "Connected", this, SLOT(OnConnected()));
    connection.connect({}, {}, interface, "Disconnected", this, SLOT(OnDisconnected()));
    connection.connect({}, {}, interface, "UpdateState", this,
                       SLOT(OnUpdateState(QString, int, int, int, int, int)));
    connection.connect({}, {}, kProperties, "PropertiesChanged", this,
                       SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
}

bool BusClient::WaitForSignals(qsizetype count, int timeoutMs) {
    return QTest::qWaitFor([&] { return received.size() >= count; }, timeoutMs);
}

bool BusClient::WaitForSignal(const QString& name, qsizetype from, int timeoutMs) {
    return QTest::qWaitFor([&] { return received.indexOf(name, from) >= 0; }, timeoutMs);
}

void BusClient::OnConnected() { received << "Connected"; }

void BusClient::OnDisconnected() { received << "Disconnected"; }

void BusClient::OnUpdateState(const QString& sNom, int lTemps, int lOctetsRecus, int lOctetsEnvoyes,
                              int lVitesseD, int lVitesseU) {
    figures.append(QList<int>{lTemps, lOctetsRecus, lOctetsEnvoyes, lVitesseD, lVitesseU});
    received << QString("UpdateState(%1,%2,%3,%4,%5,%6)")
                    .arg(sNom)
                    .arg(lTemps)
                    .arg(lOctetsRecus)
                    .arg(lOctetsEnvoyes)
                    .arg(lVitesseD)
                    .arg(lVitesseU);
}

void BusClient::OnPropertiesChanged(const QString&, const QVariantMap& changed,
                                    const QStringList& invalidated) {
    QStringList values;
    for (auto it = changed.begin(); it != changed.end(); ++it) {
        values << it.key() + "=" + it.value().toString();
    }
    received << QString("PropertiesChanged(%1|%2)").arg(values.join(','), invalidated.join(','));
}

}  // namespace velnix::qt_platform::testing
