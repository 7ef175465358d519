#include "platform/qt/dbus/PublishedTenaline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusVariant>

#include "platform/qt/dbus/BusNames.h"
#include "tests/dbus/BusFixture.h"

namespace velnix::qt_platform::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kApp[] = "Quorath_Software";
constexpr char kSection[] = "Tenaline";
constexpr char kProperties[] = "org.freedesktop.DBus.Properties";

std::string ErrorOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) return "no error";
    return (reply.errorName() + ": " + reply.errorMessage()).toStdString();
}

class PublishedTenalineTest : public BusFixture {};

TEST_F(PublishedTenalineTest, OptionsAreWrittenToTheStoreAtOnceAndReadBack) {
    EXPECT_EQ(firstPath, bus::kFirstObjectPath);
    EXPECT_EQ(client.Value(firstPath, "Tenaline"), QVariant(true)) << "default";
    client.Listen();

    ASSERT_EQ(ErrorOf(client.Set(firstPath, "Tenaline", false)), "no error");
    EXPECT_EQ(settings.Get(kApp, kSection, "AutoReconnect"), "False");
    EXPECT_EQ(client.Value(firstPath, "Tenaline"), QVariant(false));
    client.Set(firstPath, "Login", QString("jean"));
    client.Set(firstPath, "PassWord", QString(R"( "é" \ )"));
    client.Set(firstPath, "Connection", QString("Mon FAI"));
    EXPECT_EQ(settings.Get(kApp, kSection, "Login"), "jean");
    EXPECT_EQ(settings.Get(kApp, kSection, "PassWord"), R"( "é" \ )") << "UTF-8, unchanged";
    EXPECT_EQ(settings.Get(kApp, kSection, "ConnectionName"), "Mon FAI");

    settings.Set(kApp, kSection, "Login", "changé ailleurs");
    EXPECT_EQ(client.Value(firstPath, "Login"), QVariant("changé ailleurs")) << "nothing cached";

    // No property sends a change signal (the password would go to every listener): the next
    // signal is the monitor's.
    First()->PollConnection();
    ASSERT_TRUE(client.WaitForSignals(1));
    EXPECT_THAT(client.received, ElementsAre("UpdateState(Mon FAI,0,0,0,0,0)"));
}

TEST_F(PublishedTenalineTest, ReadOnlyPropertiesComeFromTheSystem) {
    ras.entries = {"Mon FAI", "Bureau", "Mon FAI"};
    EXPECT_EQ(client.Value(firstPath, "ConnectionList"),
              QVariant(QStringList{"Mon FAI", "Bureau", "Mon FAI"}));
    EXPECT_EQ(client.Value(firstPath, "Connected"), QVariant(false));
    ras.Up("Bureau");
    EXPECT_EQ(client.Value(firstPath, "Connected"), QVariant(true));

    const QDBusMessage all =
        client.Call(firstPath, kProperties, "GetAll", {QString(bus::kObjectInterface)});
    ASSERT_EQ(ErrorOf(all), "no error");
    const QVariantMap values = qdbus_cast<QVariantMap>(all.arguments().at(0));
    EXPECT_EQ(values.keys(), (QStringList{"Connected", "Connection", "ConnectionList", "Login",
                                          "PassWord", "Tenaline"}));
}

TEST_F(PublishedTenalineTest, ConnectAndDisconnectStartTheDialerAndReturnAtOnce) {
    settings.Set(kApp, kSection, "ConnectionName", "Mon FAI");
    settings.Set(kApp, kSection, "Login", "jean");
    settings.Set(kApp, kSection, "PassWord", "secret");
    EXPECT_EQ(ErrorOf(client.Call(firstPath, bus::kObjectInterface, "Connect")), "no error");
    EXPECT_EQ(ErrorOf(client.Call(firstPath, bus::kObjectInterface, "Disconnect")), "no error");
    EXPECT_THAT(launcher.started, ElementsAre(R"(rasdial.exe "Mon FAI" "jean" "secret")",
                                              R"(rasdial.exe "Mon FAI" /disconnect)"));

    launcher.fail = true;
    const QDBusMessage failed = client.Call(firstPath, bus::kObjectInterface, "Connect");
    EXPECT_EQ(failed.errorName(), bus::kErrorProcessStart);
    EXPECT_FALSE(failed.errorMessage().isEmpty());
}

TEST_F(PublishedTenalineTest, EventsBecomeSignalsWithTheirFigures) {
    settings.Set(kApp, kSection, "ConnectionName", "Mon FAI");
    client.Call(firstPath, bus::kObjectInterface, "Connect");
    client.Listen();

    ras.Up("Mon FAI", 5000, 700, 3000);
    First()->PollConnection();
    ras.Up("Mon FAI", 8096, 1700, 4000);
    First()->PollConnection();
    client.Call(firstPath, bus::kObjectInterface, "Disconnect");
    ras.Down("Mon FAI");
    First()->PollConnection();

    ASSERT_TRUE(client.WaitForSignals(5));
    EXPECT_THAT(client.received,
                ElementsAre("Connected", "UpdateState(Mon FAI,3000,5000,700,0,0)",
                            "UpdateState(Mon FAI,4000,8096,1700,3096,1000)", "Disconnected",
                            "UpdateState(Mon FAI,0,0,0,-8096,-1700)"))
        << "the window got them too";
    EXPECT_THAT(windows.front()->log, ElementsAre("Connected", "UpdateState", "UpdateState",
                                                  "Disconnected", "UpdateState"));
}

TEST_F(PublishedTenalineTest, ANameThatIsNotUtf8IsSentWithReplacementCharacters) {
    const std::string name = "Caf\xC3\xA9\xFF";  // its arguments then start off a boundary
    settings.Set(kApp, kSection, "ConnectionName", name);
    client.Call(firstPath, bus::kObjectInterface, "Connect");
    client.Listen();

    ras.Up(name, 5000, 700, 3000);
    First()->PollConnection();

    ASSERT_TRUE(client.WaitForSignals(2));
    EXPECT_THAT(client.received,
                ElementsAre("Connected", "UpdateState(Caf\u00E9\uFFFD,3000,5000,700,0,0)"));
}

TEST_F(PublishedTenalineTest, BadInputGetsAnErrorAndTheObjectGoesOn) {
    const QString object = bus::kObjectInterface;
    EXPECT_THAT(ErrorOf(client.Set(firstPath, "Tenaline", QString("oui"))),
                HasSubstr("InvalidArgs: La propriété Tenaline attend un booléen"));
    EXPECT_THAT(ErrorOf(client.Set(firstPath, "Tenaline", 1)), HasSubstr("InvalidArgs"));
    EXPECT_THAT(ErrorOf(client.Set(firstPath, "Login", 42)),
                HasSubstr("attend un texte (s), pas une valeur de type « i »"));
    EXPECT_FALSE(settings.Has(kApp, kSection, "AutoReconnect")) << "nothing written";
    EXPECT_FALSE(settings.Has(kApp, kSection, "Login"));

    EXPECT_THAT(ErrorOf(client.Set(firstPath, "Connected", true)),
                HasSubstr("PropertyReadOnly: La propriété Connected est en lecture seule."));
    EXPECT_THAT(ErrorOf(client.Set(firstPath, "ConnectionList", QStringList{})),
                HasSubstr("PropertyReadOnly"));
    EXPECT_THAT(ErrorOf(client.Get(firstPath, "PollConnection")),
                HasSubstr("UnknownProperty: Propriété inconnue : PollConnection."));
    EXPECT_THAT(ErrorOf(client.Call(firstPath, object, "PollConnection")),
                HasSubstr("UnknownMethod"));
    EXPECT_THAT(ErrorOf(client.Call(firstPath, object, "Connect", {QString("x")})),
                HasSubstr("InvalidArgs: Arguments invalides pour Connect"));
    EXPECT_THAT(ErrorOf(client.Call(firstPath, kProperties, "Get", {QString("x")})),
                HasSubstr("InvalidArgs"));
    EXPECT_THAT(ErrorOf(client.Call(firstPath, kProperties, "Get",
                                    {QString("org.example.Other"), QString("Login")})),
                HasSubstr("UnknownInterface"));
    EXPECT_TRUE(launcher.started.empty());

    settings.Set(kApp, kSection, "AutoReconnect", "peut-être");
    const QDBusMessage mismatch = client.Get(firstPath, "Tenaline");
    EXPECT_EQ(mismatch.errorName(), bus::kErrorTypeMismatch);
    EXPECT_THAT(mismatch.errorMessage().toStdString(), HasSubstr("Incompatibilité de type"));
    settings.failWrites = true;
    EXPECT_EQ(client.Set(firstPath, "Login", QString("jean")).errorName(), bus::kErrorSettings);
    settings.failWrites = false;

    EXPECT_EQ(ErrorOf(client.Set(firstPath, "Tenaline", true)), "no error") << "still serving";
    EXPECT_EQ(client.Value(firstPath, "Tenaline"), QVariant(true));
}

TEST_F(PublishedTenalineTest, IntrospectionIsTheTypeLibraryWithTheStandardInterfaces) {
    const QDBusMessage reply =
        client.Call(firstPath, "org.freedesktop.DBus.Introspectable", "Introspect");
    ASSERT_EQ(ErrorOf(reply), "no error");
    const std::string xml = reply.arguments().at(0).toString().toStdString();
    EXPECT_THAT(xml, HasSubstr(R"(<interface name="org.velnix.Connect.InternetTenaline">)"));
    EXPECT_THAT(xml, HasSubstr(R"(name="org.velnix.Connect.TypeLibraryVersion" value="1.0")"));
    EXPECT_THAT(xml, HasSubstr(R"(<property name="Connected" type="b" access="read">)"));
    EXPECT_THAT(xml, HasSubstr(R"(<signal name="Connected"/>)"));
    EXPECT_THAT(xml, HasSubstr(R"(<arg name="lVitesseU" type="i"/>)"));
    EXPECT_THAT(xml, HasSubstr(R"(<interface name="org.freedesktop.DBus.Properties">)"));
    EXPECT_THAT(xml, ::testing::Not(HasSubstr("PollConnection")));
}

}  // namespace
}  // namespace velnix::qt_platform::testing
