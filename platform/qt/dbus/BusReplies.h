#pragma once

#include <exception>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

namespace velnix::qt_platform {

// The error answering `call` for a failure of the connection object: the kind of failure gives
// the error name (org.velnix.Connect.Error.*), its French message the text.
QDBusMessage FailureReply(const QDBusMessage& call, const std::exception& failure);

// The error answering a call whose arguments do not have the `expected` signature.
QDBusMessage WrongArgumentsReply(const QDBusMessage& call, const QString& expected);

// The error answering a call to a member or interface that the object does not have.
QDBusMessage UnknownMemberReply(const QDBusMessage& call);

// The error answering a call on a connection object that is gone (its window was closed).
QDBusMessage ReleasedObjectReply(const QDBusMessage& call);

// Sends `reply` unless the caller asked for none.
void SendReply(const QDBusMessage& call, const QDBusMessage& reply,
               const QDBusConnection& connection);

// Runs `buildReply`, which answers `call`, and sends that reply or the error for the failure it
// threw.
template <typename BuildReply>
void AnswerCall(const QDBusMessage& call, const QDBusConnection& connection,
                BuildReply buildReply) {
    QDBusMessage reply;
    try {
        reply = buildReply();
    } catch (const std::exception& failure) {
        reply = FailureReply(call, failure);
    }
    SendReply(call, reply, connection);
}

// The interface elements of an introspection file of the program's resources (the text between
// its <node> and </node> tags).
QString InterfaceIntrospection(const QString& resource);

}  // namespace velnix::qt_platform
