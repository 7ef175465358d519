#include "platform/qt/dbus/BusReplies.h"

#include <QDBusConnection>
#include <QFile>

#include "common/Errors.h"
#include "platform/qt/dbus/BusNames.h"

namespace velnix::qt_platform {

namespace {

QString ErrorName(const std::exception& failure) {
    if (dynamic_cast<const TypeMismatchError*>(&failure)) return bus::kErrorTypeMismatch;
    if (dynamic_cast<const OutOfRangeError*>(&failure)) return bus::kErrorOutOfRange;
    if (dynamic_cast<const OverflowError*>(&failure)) return bus::kErrorOverflow;
    if (dynamic_cast<const SettingsError*>(&failure)) return bus::kErrorSettings;
    if (dynamic_cast<const ProcessStartError*>(&failure)) return bus::kErrorProcessStart;
    return bus::kErrorFailed;
}

}  // namespace

QDBusMessage FailureReply(const QDBusMessage& call, const std::exception& failure) {
    QString text = QString::fromUtf8(failure.what());
    if (!dynamic_cast<const VelnixError*>(&failure)) text = "Erreur interne : " + text;
    return call.createErrorReply(ErrorName(failure), text);
}

QDBusMessage WrongArgumentsReply(const QDBusMessage& call, const QString& expected) {
    const QString wanted = expected.isEmpty() ? QString("aucun argument attendu")
                                              : QString("« %1 » attendue").arg(expected);
    return call.createErrorReply(
        QDBusError::InvalidArgs,
        QString("Arguments invalides pour %1 : signature « %2 » reçue, %3.")
            .arg(call.member(), call.signature(), wanted));
}

QDBusMessage UnknownMemberReply(const QDBusMessage& call) {
    const QString interface = call.interface().isEmpty() ? "?" : call.interface();
    return call.createErrorReply(
        QDBusError::UnknownMethod,
        QString("Méthode inconnue : %1.%2 (signature « %3 ») sur l'objet %4.")
            .arg(interface, call.member(), call.signature(), call.path()));
}

QDBusMessage ReleasedObjectReply(const QDBusMessage& call) {
    return call.createErrorReply(
        QDBusError::UnknownObject,
        QString("L'objet %1 n'existe plus : sa fenêtre a été fermée.").arg(call.path()));
}

void SendReply(const QDBusMessage& call, const QDBusMessage& reply,
               const QDBusConnection& connection) {
    if (call.isReplyRequired()) connection.send(reply);
}

QString InterfaceIntrospection(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype begin = text.indexOf("<node>");
    const qsizetype end = text.lastIndexOf("</node>");
    if (begin < 0 || end < begin) return {};
    return text.mid(begin + 6, end - begin - 6);
}

}  // namespace velnix::qt_platform
