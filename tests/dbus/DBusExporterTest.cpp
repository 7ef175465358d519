#include "platform/qt/dbus/DBusExporter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include "platform/qt/dbus/BusNames.h"
#include "tests/dbus/BusFixture.h"

namespace velnix::qt_platform::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class DBusExporterTest : public BusFixture {
  protected:
    std::string Introspect(const QString& path) {
        return client.Call(path, "org.freedesktop.DBus.Introspectable", "Introspect")
            .arguments()
            .value(0)
            .toString()
            .toStdString();
    }
};

TEST_F(DBusExporterTest, TakesTheNameOnlyOnce) {
    EXPECT_TRUE(exporter->OwnsServiceName());
    DBusExporter second(client.connection, [this] { return Create(); });
    EXPECT_FALSE(second.Publish(First()).isEmpty()) << "its own connection takes the path";
    EXPECT_FALSE(second.OwnsServiceName()) << "the name is held by the first";
}

TEST_F(DBusExporterTest, FactoryCreatesAnObjectWithItsOwnWindow) {
    EXPECT_THAT(Introspect(bus::kFactoryPath),
                HasSubstr(R"(<method name="CreateInternetTenaline">)"));
    const QDBusMessage reply =
        client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline");
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    const QString path = reply.arguments().at(0).value<QDBusObjectPath>().path();
    EXPECT_EQ(path, QString(bus::kObjectPathPrefix) + "2");
    EXPECT_THAT(journal, ElementsAre("create window", "Show", "BindTo not connected",
                                     "create window", "Show", "BindTo not connected"));
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->mIAC.use_count(), 1) << "its window is its only holder";
    EXPECT_THAT(Introspect(QString(bus::kObjectPathPrefix).chopped(1)),
                HasSubstr(R"(<node name="2"/>)"));

    client.Set(path, "Login", QString("jean"));
    EXPECT_EQ(client.Value(bus::kFirstObjectPath, "Login"), QVariant("jean")) << "one store";
}

TEST_F(DBusExporterTest, ObjectReleasedByItsWindowIsWithdrawnAtOnce) {
    client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline");
    const QString second = QString(bus::kObjectPathPrefix) + "2";
    ASSERT_EQ(windows.size(), 2u);
    windows[1]->Unload();

    EXPECT_THAT(Introspect(QString(bus::kObjectPathPrefix).chopped(1)),
                Not(HasSubstr(R"(name="2")")))
        << "path withdrawn without waiting for a call";
    // Every call is told in French, also once the object's record is dropped (by the next
    // creation), and a path that never had an object too.
    const auto goneText = [&] {
        const QDBusMessage gone = client.Call(second, bus::kObjectInterface, "Connect");
        EXPECT_EQ(gone.errorName(), "org.freedesktop.DBus.Error.UnknownObject");
        return gone.errorMessage();
    };
    const QString french = "L'objet " + second + " n'existe plus : sa fenêtre a été fermée.";
    EXPECT_EQ(goneText(), french);
    EXPECT_EQ(goneText(), french);
    EXPECT_TRUE(launcher.started.empty());

    EXPECT_EQ(client.Value(bus::kFirstObjectPath, "Tenaline"), QVariant(true)) << "still serving";
    const QDBusMessage third =
        client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline");
    EXPECT_EQ(third.arguments().value(0).value<QDBusObjectPath>().path(),
              QString(bus::kObjectPathPrefix) + "3")
        << "a path is never reused";
    EXPECT_EQ(goneText(), french);
    EXPECT_EQ(client.Get(QString(bus::kObjectPathPrefix) + "9", "Login").errorMessage(),
              "Aucun objet n'est publié à /org/velnix/Connect/InternetTenaline/9.");
}

TEST_F(DBusExporterTest, FactoryFailureIsAnError) {
    ras.throwOnEnumConnections = true;  // the new window cannot read the connection state
    const QDBusMessage reply =
        client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline");
    EXPECT_EQ(reply.errorName(), bus::kErrorFailed);
    EXPECT_EQ(reply.errorMessage(), "Erreur interne : RAS indisponible");
    EXPECT_EQ(client.Call(bus::kFactoryPath, bus::kFactoryInterface, "CreateInternetTenaline", {1})
                  .errorName(),
              "org.freedesktop.DBus.Error.InvalidArgs");
}

TEST_F(DBusExporterTest, LeavingTheBusUnsubscribesFromTheObject) {
    exporter.reset();
    First()->PollConnection();
    EXPECT_THAT(windows.front()->log, ElementsAre("UpdateState"));
    EXPECT_EQ(client.Get(bus::kFirstObjectPath, "Login").errorName(),
              "org.freedesktop.DBus.Error.ServiceUnknown");
}

}  // namespace
}  // namespace velnix::qt_platform::testing
