#include "tests/networkmanager/MockNetworkManager.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace velnix::linux_platform::testing {

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");
const QString kManager = QStringLiteral("/org/freedesktop/NetworkManager");

// Starts `arguments` with standard output on `out` (or /dev/null) and standard error on
// /dev/null; it ends with this process, whatever ends it.
pid_t Start(const std::vector<std::string>& arguments, int out = -1) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(out >= 0 ? out : null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

struct PrivateBus {
    pid_t pid = -1;
    std::filesystem::path folder;

    PrivateBus() {
        char name[] = "/tmp/velnix-nm-bus-XXXXXX";
        folder = ::mkdtemp(name);
        std::ofstream(folder / "system.conf")
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
               "1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><listen>unix:dir="
            << folder.string()
            << "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
               "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n";
        int ends[2];
        if (::pipe(ends) != 0) throw std::runtime_error("pipe");
        pid = Start({VELNIX_DBUS_DAEMON, "--nofork", "--print-address=1",
                     "--config-file=" + (folder / "system.conf").string()},
                    ends[1]);
        ::close(ends[1]);
        std::string address;
        char c = 0;
        while (::read(ends[0], &c, 1) == 1 && c != '\n') address += c;
        ::close(ends[0]);
        if (address.empty()) throw std::runtime_error("dbus-daemon did not start");
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
    }

    ~PrivateBus() {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
};

QDBusMessage Call(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus.call(message);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        throw std::runtime_error((method + ": " + reply.errorMessage()).toStdString());
    }
    return reply;
}

bool NameOwned(const QDBusConnection& bus) {
    return bus.interface()->isServiceRegistered(kService).value();
}

template <typename Test>
void WaitUntil(Test test) {
    for (int i = 0; i < 200 && !test(); ++i) QThread::msleep(25);
}

}  // namespace

void UsePrivateSystemBus() {
    static const PrivateBus bus;
    qDBusRegisterMetaType<ConnectionSettings>();
}

void DeliverSystemBusSignals() {
    // The bus forwards its own signal of a name's new owner after everything sent before it.
    const QString marker = QStringLiteral("org.velnix.Test.Marker");
    QDBusConnection bus = QDBusConnection::systemBus();
    bool delivered = false;
    const QDBusServiceWatcher watcher(marker, bus, QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered,
                     [&delivered] { delivered = true; });
    bus.registerService(marker);
    for (int i = 0; i < 200 && !delivered; ++i) {
        QCoreApplication::processEvents();
        if (!delivered) QThread::msleep(10);
    }
    QCoreApplication::processEvents();
    bus.unregisterService(marker);
}

MockNetworkManager::MockNetworkManager()
    : bus_((UsePrivateSystemBus(), QDBusConnection::systemBus())) {
    pid_ = Start({VELNIX_PYTHON3, "-m", "dbusmock", "--system", "--template", "networkmanager"});
    WaitUntil([this] { return NameOwned(bus_); });
    if (!NameOwned(bus_)) throw std::runtime_error("python3-dbusmock did not start");
}

MockNetworkManager::~MockNetworkManager() { Stop(); }

void MockNetworkManager::Stop() {
    if (pid_ < 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    WaitUntil([this] { return !NameOwned(bus_); });
}

QString MockNetworkManager::AddConnection(const QString& id, const QString& type,
                                          ConnectionSettings settings) {
    settings[QStringLiteral("connection")][QStringLiteral("id")] = id;
    settings[QStringLiteral("connection")][QStringLiteral("type")] = type;
    const QString path = Call(bus_, kManager + QStringLiteral("/Settings"),
                              QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                              QStringLiteral("AddConnection"), {QVariant::fromValue(settings)})
                             .arguments()[0]
                             .value<QDBusObjectPath>()
                             .path();
    // The template lacks the in-memory update that the dialer hands the secrets over with.
    Call(bus_, path, kMock, QStringLiteral("AddMethod"),
         {QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
          QStringLiteral("UpdateUnsaved"), QStringLiteral("a{sa{sv}}"), QString(),
          QStringLiteral("self.ConnectionUpdate(self, args[0])")});
    return path;
}

void MockNetworkManager::Rename(const QString& connection, const QString& id) {
    ConnectionSettings settings;
    settings[QStringLiteral("connection")][QStringLiteral("id")] = id;
    Call(bus_, connection, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
         QStringLiteral("Update"), {QVariant::fromValue(settings)});
}

ConnectionSettings MockNetworkManager::SettingsOf(const QString& connection) {
    const QDBusMessage reply =
        Call(bus_, connection, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
             QStringLiteral("GetSettings"), {});
    return qdbus_cast<ConnectionSettings>(reply.arguments()[0].value<QDBusArgument>());
}

QString MockNetworkManager::AddDevice(const QString& name, const QString& ipInterface) {
    const QString path =
        Call(bus_, kManager, kMock, QStringLiteral("AddEthernetDevice"), {name, name, 0})
            .arguments()[0]
            .toString();
    Call(bus_, kManager, kMock, QStringLiteral("SetProperty"),
         {path, QStringLiteral("org.freedesktop.NetworkManager.Device"),
          QStringLiteral("IpInterface"), QVariant::fromValue(QDBusVariant(ipInterface))});
    return path;
}

QStringList MockNetworkManager::ActiveConnections() {
    const QDBusMessage reply =
        Call(bus_, kManager, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {kService, QStringLiteral("ActiveConnections")});
    QStringList paths;
    const QVariant value = reply.arguments()[0].value<QDBusVariant>().variant();
    for (const QDBusObjectPath& path :
         qdbus_cast<QList<QDBusObjectPath>>(value.value<QDBusArgument>())) {
        paths << path.path();
    }
    return paths;
}

void MockNetworkManager::AttachDevice(const QString& active, const QString& device) {
    Call(bus_, kManager, kMock, QStringLiteral("SetProperty"),
         {active, QStringLiteral("org.freedesktop.NetworkManager.Connection.Active"),
          QStringLiteral("Devices"),
          QVariant::fromValue(
              QDBusVariant(QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(device)})))});
}

void MockNetworkManager::SetActiveState(const QString& active, unsigned state) {
    Call(bus_, kManager, kMock, QStringLiteral("SetProperty"),
         {active, QStringLiteral("org.freedesktop.NetworkManager.Connection.Active"),
          QStringLiteral("State"), QVariant::fromValue(QDBusVariant(state))});
}

void MockNetworkManager::Drop(const QString& active, const QString& device) {
    Call(bus_, kManager, kMock, QStringLiteral("RemoveActiveConnection"), {device, active});
}

void MockNetworkManager::RefuseActivation(const QString& name) {
    Call(
        bus_, kManager, kMock, QStringLiteral("AddMethod"),
        {kService, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
         QStringLiteral("raise dbus.exceptions.DBusException('refusé', name='") + name +
             QStringLiteral("')")});
}

}  // namespace velnix::linux_platform::testing
