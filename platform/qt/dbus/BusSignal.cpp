#include "platform/qt/dbus/BusSignal.h"

#include <dbus/dbus.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <QDBusConnectionInterface>
#include <QMetaObject>

#include <atomic>
#include <bit>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {

namespace {

// The wire format's codes: a signal that expects no reply, version 1 of the protocol, and the
// header fields a signal has.
constexpr char kSignal = 4;
constexpr char kNoReplyExpected = 1;
constexpr char kProtocolVersion = 1;
constexpr uint8_t kPathField = 1;
constexpr uint8_t kInterfaceField = 2;
constexpr uint8_t kMemberField = 3;
constexpr uint8_t kSignatureField = 8;

// Zeros up to the next multiple of `boundary` (the body starts on a multiple of 8, so that a
// body's own offsets align as the whole message's).
void Pad(std::string& out, size_t boundary) {
    out.resize((out.size() + boundary - 1) / boundary * boundary, '\0');
}

void AppendUint32(std::string& out, uint32_t value) {
    Pad(out, 4);
    char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);  // the host's order, which the first byte names
    out.append(bytes, sizeof bytes);
}

void PutUint32(std::string& out, size_t at, uint32_t value) {
    std::memcpy(out.data() + at, &value, sizeof value);
}

// A string, object path or signature value, ended by a NUL.
void AppendText(std::string& out, char type, std::string_view text) {
    if (type == DBUS_TYPE_SIGNATURE) {
        out += static_cast<char>(text.size());
    } else {
        AppendUint32(out, static_cast<uint32_t>(text.size()));
    }
    out.append(text);
    out += '\0';
}

void AppendField(std::string& out, uint8_t code, char type, std::string_view value) {
    Pad(out, 8);
    out += static_cast<char>(code);
    out += '\1';  // the variant's signature: one type
    out += type;
    out += '\0';
    AppendText(out, type, value);
}

struct MessageDeleter {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
using MessagePtr = std::unique_ptr<DBusMessage, MessageDeleter>;

// The signals handed to Qt's bus thread and not yet queued by it.
std::atomic<int> handedToQt{0};

// Whether the bus has read everything written on the connection so far, and no signal waits
// for Qt's bus thread: a signal then goes whole into the socket, after all the others, and the
// library never has to ask for the socket's room. It would ask Qt's bus thread for it, a request
// Qt takes on that thread only.
bool AllRead(DBusConnection* bus) {
    int socket = -1;
    int unread = 0;
    return handedToQt == 0 && !dbus_connection_has_messages_to_send(bus) &&
           dbus_connection_get_socket(bus, &socket) && ::ioctl(socket, SIOCOUTQ, &unread) == 0 &&
           unread == 0;
}

}  // namespace

BusSignal::BusSignal(std::string_view path, std::string_view interface, std::string_view member)
    : path_(path), interface_(interface), member_(member) {}

BusSignal& BusSignal::operator<<(std::string_view text) {
    const QByteArray utf8 = FromUtf8(text.substr(0, text.find('\0'))).toUtf8();
    signature_ += DBUS_TYPE_STRING;
    AppendText(body_, DBUS_TYPE_STRING, std::string_view(utf8.constData(), utf8.size()));
    return *this;
}

BusSignal& BusSignal::operator<<(int32_t value) {
    signature_ += DBUS_TYPE_INT32;
    AppendUint32(body_, static_cast<uint32_t>(value));
    return *this;
}

std::string BusSignal::Marshalled() const {
    std::string message;
    message += std::endian::native == std::endian::little ? 'l' : 'B';
    message += kSignal;
    message += kNoReplyExpected;
    message += kProtocolVersion;
    AppendUint32(message, static_cast<uint32_t>(body_.size()));
    AppendUint32(message, 1);  // a serial the library accepts; the copy sent gets the connection's
    AppendUint32(message, 0);  // the header fields' length, once known
    const size_t fieldsStart = message.size();
    AppendField(message, kPathField, DBUS_TYPE_OBJECT_PATH, path_);
    AppendField(message, kInterfaceField, DBUS_TYPE_STRING, interface_);
    AppendField(message, kMemberField, DBUS_TYPE_STRING, member_);
    if (!signature_.empty()) AppendField(message, kSignatureField, DBUS_TYPE_SIGNATURE, signature_);
    PutUint32(message, fieldsStart - 4, static_cast<uint32_t>(message.size() - fieldsStart));
    Pad(message, 8);
    message += body_;
    return message;
}

bool BusSignal::SendOn(const QDBusConnection& connection) const {
    auto* bus = static_cast<DBusConnection*>(connection.internalPointer());
    if (!bus || !dbus_connection_get_is_connected(bus)) return false;
    const std::string bytes = Marshalled();
    DBusError error;
    dbus_error_init(&error);
    // The library checks every name and value as it reads the message back; its copy has no
    // serial yet, so that the connection numbers it in its own sequence.
    const MessagePtr read(
        dbus_message_demarshal(bytes.data(), static_cast<int>(bytes.size()), &error));
    dbus_error_free(&error);
    if (!read) return false;
    MessagePtr message(dbus_message_copy(read.get()));
    if (!message) return false;
    if (AllRead(bus)) return dbus_connection_send(bus, message.get(), nullptr);
    // The bus is behind: Qt's bus thread, where the connection's own objects live, queues the
    // signal after what it holds and writes it when the socket has room, as for its own.
    QObject* const busThread = connection.interface();
    if (!busThread) return false;
    const std::shared_ptr<DBusConnection> held(dbus_connection_ref(bus), dbus_connection_unref);
    const std::shared_ptr<DBusMessage> queued(std::move(message));
    ++handedToQt;
    const bool posted = QMetaObject::invokeMethod(
        busThread,
        [held, queued] {
            dbus_connection_send(held.get(), queued.get(), nullptr);
            --handedToQt;
        },
        Qt::QueuedConnection);
    if (!posted) --handedToQt;
    return posted;
}

}  // namespace velnix::qt_platform
