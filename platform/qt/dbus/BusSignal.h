#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QDBusConnection>

namespace velnix::qt_platform {

// A signal of one object, sent on the bus library's connection under Qt's. QDBusConnection::send
// hands every message to Qt's bus thread, which the tick's UpdateState would then wake once a
// second; and the library, given the arguments one by one, rewrites the message's signature
// field after each (six times for UpdateState). Here the message is laid out whole in the bus's
// wire format, read back and checked by the library, and written by it on the caller's thread
// with the connection's next serial, when the bus has read all that came before; when the bus
// is behind, Qt's bus thread sends it after what it holds. Replies go on through Qt; every
// signal of the program goes this way, so that signals keep their order.
class BusSignal {
  public:
    BusSignal(std::string_view path, std::string_view interface, std::string_view member);

    // A text argument (s); bytes that are not UTF-8 become U+FFFD and the text ends at its
    // first NUL, as Qt would send it.
    BusSignal& operator<<(std::string_view text);
    // A 32-bit signed argument (i).
    BusSignal& operator<<(int32_t value);

    // Queues the signal on `connection` and writes what the socket takes; false when the
    // connection is closed, a name is not valid on the bus, or memory ran out.
    bool SendOn(const QDBusConnection& connection) const;

  private:
    std::string Marshalled() const;

    std::string path_;
    std::string interface_;
    std::string member_;
    std::string signature_;
    std::string body_;
};

}  // namespace velnix::qt_platform
