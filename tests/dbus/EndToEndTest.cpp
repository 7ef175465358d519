// The real program, offscreen on the private session bus, dialing the simulated provider, driven
// by this process as a client.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/dbus/BusNames.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "tests/dbus/BusClient.h"

namespace velnix::qt_platform::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

constexpr char kApp[] = "Quorath_Software";
constexpr char kSection[] = "Tenaline";
constexpr char kEntry[] = "Fournisseur ADSL";

// A fixture root for the simulated provider, the user's folders, and the environment that points
// the program at them.
class ProgramEnvironment : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_EQ(Run(VELNIX_SIMULATE_SCRIPT, {"setup", "--pppd", VELNIX_PPPD_SIMULATED, root}), 0);

        environment.insert("VELNIX_ROOT", root);
        environment.insert("PATH", root + "/bin:" + QFileInfo(VELNIX_PROGRAM).path() + ":" +
                                       environment.value("PATH"));
        environment.insert("XDG_CONFIG_HOME", config);
        environment.insert("XDG_RUNTIME_DIR", runtime);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("VELNIX_SIM_UP_DELAY_MS", "500");
        environment.insert("VELNIX_SIM_RX_RATE", "40000");
        environment.insert("VELNIX_SIM_TX_RATE", "8000");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");

        // Automatic redial off from the start: the program dials only when told to.
        store.Write(kApp, kSection, "AutoReconnect", "False");
    }

    void TearDown() override { Run(VELNIX_SIMULATE_SCRIPT, {"clean"}); }

    int Run(const QString& command, const QStringList& arguments, QString* output = nullptr) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(command, arguments);
        if (!process.waitForFinished(20000)) return -1;
        if (output) *output = QString::fromUtf8(process.readAllStandardOutput());
        return process.exitCode();
    }

    QString SimulatedLinks() {
        QString links;
        Run(VELNIX_SIMULATE_SCRIPT, {"status"}, &links);
        return links;
    }

    bool ServiceRegistered() {
        return client.connection.interface()->isServiceRegistered(bus::kServiceName);
    }

    QTemporaryDir temp;
    QString root = temp.path() + "/root";
    QString config = temp.path() + "/config";
    QString runtime = temp.path() + "/runtime";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QtSettingsStore store{config + "/Velnix"};
    BusClient client;
    const QString object = bus::kFirstObjectPath;
};

// The program started by the test.
class EndToEndTest : public ProgramEnvironment {
  protected:
    void SetUp() override {
        ProgramEnvironment::SetUp();
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(VELNIX_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return ServiceRegistered(); }, 10000))
            << "the program takes its bus name";
    }

    void TearDown() override {
        program.terminate();
        if (!program.waitForFinished(5000)) program.kill();
        ProgramEnvironment::TearDown();
    }

    bool Running() const { return program.state() == QProcess::Running; }

    QProcess program;
};

TEST_F(EndToEndTest, DialsAndHangsUpOverTheBusWithoutRedialAfterwards) {
    client.Listen();
    ASSERT_EQ(client.Set(object, "Login", QString("demo")).errorMessage(), "");
    client.Set(object, "PassWord", QString("demo"));
    client.Set(object, "Connection", QString(kEntry));
    EXPECT_EQ(store.Read(kApp, kSection, "Login", ""), "demo");
    EXPECT_EQ(store.Read(kApp, kSection, "PassWord", ""), "demo");
    EXPECT_EQ(store.Read(kApp, kSection, "ConnectionName", ""), kEntry);
    QFile file(store.FilePath(kApp));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_THAT(file.readAll().toStdString(), HasSubstr("ConnectionName=Fournisseur ADSL"));
    EXPECT_THAT(client.Value(object, "ConnectionList").toStringList(), Contains(QString(kEntry)));
    EXPECT_EQ(client.Value(object, "Connected"), QVariant(false));

    ASSERT_EQ(client.Call(object, bus::kObjectInterface, "Connect").errorMessage(), "");
    ASSERT_TRUE(client.WaitForSignal("Connected", 0, 20000)) << SimulatedLinks().toStdString();
    const qsizetype connectedAt = client.figures.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.figures.size() >= connectedAt + 3; }, 10000));
    const QList<int> first = client.figures[connectedAt];
    const QList<int> third = client.figures[connectedAt + 2];
    EXPECT_GT(third[0], first[0]) << "duration grows";
    EXPECT_GT(third[1], first[1]) << "bytes received grow";
    EXPECT_GT(third[2], first[2]) << "bytes sent grow";
    EXPECT_GT(third[3], 0) << "download speed";
    EXPECT_EQ(client.Value(object, "Connected"), QVariant(true));

    // With automatic redial on, only the hang-up's being asked for keeps the link down.
    client.Set(object, "Tenaline", true);
    EXPECT_EQ(store.Read(kApp, kSection, "AutoReconnect", ""), "True");
    const qsizetype beforeHangUp = client.received.size();
    ASSERT_EQ(client.Call(object, bus::kObjectInterface, "Disconnect").errorMessage(), "");
    ASSERT_TRUE(client.WaitForSignal("Disconnected", beforeHangUp, 20000));

    const qsizetype afterHangUp = client.received.size();
    const qsizetype figuresAfterHangUp = client.figures.size();
    QTest::qWait(4000);
    EXPECT_EQ(client.received.indexOf("Connected", afterHangUp), -1) << "no redial";
    ASSERT_GT(client.figures.size(), figuresAfterHangUp + 2) << "the monitor goes on";
    EXPECT_EQ(client.figures.last(), (QList<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(client.Value(object, "Connected"), QVariant(false));
    EXPECT_EQ(SimulatedLinks(), "") << "no dialer left running";
    EXPECT_TRUE(Running());
}

TEST_F(EndToEndTest, BadInputGetsErrorsAndTheProgramGoesOn) {
    EXPECT_EQ(client.Set(object, "Tenaline", QString("oui")).errorName(),
              "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(client.Set(object, "Login", 5).errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(client.Set(object, "Connected", true).errorName(),
              "org.freedesktop.DBus.Error.PropertyReadOnly");
    EXPECT_EQ(client.Call(object, bus::kObjectInterface, "Connect", {1}).errorName(),
              "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(client.Get(QString(bus::kObjectPathPrefix) + "9", "Login").errorName(),
              "org.freedesktop.DBus.Error.UnknownObject");
    store.Write(kApp, kSection, "AutoReconnect", "peut-être");
    const QDBusMessage mismatch = client.Get(object, "Tenaline");
    EXPECT_EQ(mismatch.errorName(), bus::kErrorTypeMismatch);
    EXPECT_THAT(mismatch.errorMessage().toStdString(), HasSubstr("Incompatibilité de type"));
    EXPECT_EQ(store.Read(kApp, kSection, "Login", "-"), "-") << "nothing written";

    // A second object of the running program, with a window of its own.
    const QDBusMessage created =
        client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline");
    ASSERT_EQ(created.errorMessage(), "");
    const QString second = created.arguments().value(0).value<QDBusObjectPath>().path();
    client.Set(second, "Login", QString("jean"));
    EXPECT_EQ(client.Value(object, "Login"), QVariant("jean"));

    QTest::qWait(1500);  // a few monitor runs over the unreadable option
    EXPECT_TRUE(Running());
    EXPECT_EQ(client.Value(object, "Connected"), QVariant(false));
}

}  // namespace
}  // namespace velnix::qt_platform::testing

namespace velnix::qt_platform::testing {
namespace {

// The program started by the bus for a client's call, through the installed service file's
// template (pointing at the built program): the test bus reads it from its service folder.
class ActivationTest : public ProgramEnvironment {
  protected:
    void TearDown() override {
        const QDBusReply<uint> pid = client.connection.interface()->servicePid(bus::kServiceName);
        if (pid.isValid()) QProcess::execute("kill", {QString::number(pid.value())});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !ServiceRegistered(); }, 5000));
        ProgramEnvironment::TearDown();
    }
};

TEST_F(ActivationTest, AClientCallStartsTheProgram) {
    ASSERT_FALSE(ServiceRegistered());
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QMap<QString, QString> variables;
    for (const char* name :
         {"VELNIX_ROOT", "PATH", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"}) {
        variables.insert(name, environment.value(name));
    }
    const QDBusMessage update =
        client.Call("/org/freedesktop/DBus", "org.freedesktop.DBus", "UpdateActivationEnvironment",
                    {QVariant::fromValue(variables)}, "org.freedesktop.DBus");
    ASSERT_EQ(update.errorMessage(), "");

    client.Set(object, "Login", QString("demo"));
    EXPECT_TRUE(ServiceRegistered());
    EXPECT_EQ(store.Read(kApp, kSection, "Login", ""), "demo");
    EXPECT_EQ(client.Value(object, "ConnectionList").toStringList().size(), 2);
}

}  // namespace
}  // namespace velnix::qt_platform::testing
