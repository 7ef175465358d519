#pragma once

namespace velnix::qt_platform::bus {

// The program's well-known name on the session bus.
inline constexpr char kServiceName[] = "org.velnix.Connect";

// The factory: creates connection objects for clients.
inline constexpr char kFactoryPath[] = "/org/velnix/Connect";
inline constexpr char kFactoryInterface[] = "org.velnix.Connect.Factory";

// Connection objects are published at kObjectPathPrefix followed by a number; the object the
// program starts with is number 1.
inline constexpr char kObjectFolder[] = "/org/velnix/Connect/InternetTenaline";
inline constexpr char kObjectPathPrefix[] = "/org/velnix/Connect/InternetTenaline/";
inline constexpr char kFirstObjectPath[] = "/org/velnix/Connect/InternetTenaline/1";
inline constexpr char kObjectInterface[] = "org.velnix.Connect.InternetTenaline";

// Errors of the program's own, one per kind of failure of the connection object.
inline constexpr char kErrorTypeMismatch[] = "org.velnix.Connect.Error.TypeMismatch";
inline constexpr char kErrorOutOfRange[] = "org.velnix.Connect.Error.OutOfRange";
inline constexpr char kErrorOverflow[] = "org.velnix.Connect.Error.Overflow";
inline constexpr char kErrorSettings[] = "org.velnix.Connect.Error.Settings";
inline constexpr char kErrorProcessStart[] = "org.velnix.Connect.Error.ProcessStart";
inline constexpr char kErrorFailed[] = "org.velnix.Connect.Error.Failed";

}  // namespace velnix::qt_platform::bus
