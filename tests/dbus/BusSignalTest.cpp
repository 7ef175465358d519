#include "platform/qt/dbus/BusSignal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>
#include <numeric>

namespace velnix::qt_platform::testing {
namespace {

constexpr char kPath[] = "/org/velnix/Test";
constexpr char kInterface[] = "org.velnix.Test";

class Counts : public QObject {
    Q_OBJECT

  public:
    QList<int> received;

  public Q_SLOTS:
    void OnCount(const QString&, int count) { received << count; }
};

QStringList warnings;

void KeepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg) warnings << message;
}

// A bus that stops reading (stopped, or swamped) while the signals go on: they wait in the
// connection's queue and reach the listener whole and in order once the bus reads again, and
// none is written from this thread while the bus is behind, where Qt would have to be asked
// for the socket's room from the wrong thread.
TEST(BusSignalTest, SignalsWaitTheirTurnWhileTheBusIsNotReading) {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(daemon.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    QDBusConnection sender = QDBusConnection::connectToBus(address, "stalled sender");
    QDBusConnection listener = QDBusConnection::connectToBus(address, "stalled listener");
    ASSERT_TRUE(sender.isConnected() && listener.isConnected());
    Counts counts;
    listener.connect({}, kPath, kInterface, "Count", &counts, SLOT(OnCount(QString, int)));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sender.interface()->isServiceRegistered(listener.baseService()); }));
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarnings);

    ::kill(static_cast<pid_t>(daemon.processId()), SIGSTOP);
    const std::string filler(1000, 'x');  // the socket's room is gone after a few hundred
    constexpr int kSignals = 1000;
    for (int i = 0; i < kSignals; ++i) {
        ASSERT_TRUE((BusSignal(kPath, kInterface, "Count") << filler << i).SendOn(sender));
    }
    QTest::qWait(100);
    ::kill(static_cast<pid_t>(daemon.processId()), SIGCONT);
    const bool all = QTest::qWaitFor([&] { return counts.received.size() >= kSignals; }, 20000);
    qInstallMessageHandler(previous);

    ASSERT_TRUE(all) << counts.received.size() << " received";
    QList<int> expected(kSignals);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(counts.received, expected);
    EXPECT_THAT(warnings, ::testing::IsEmpty());
    QDBusConnection::disconnectFromBus("stalled sender");
    QDBusConnection::disconnectFromBus("stalled listener");
    daemon.kill();
    daemon.waitForFinished();
}

}  // namespace
}  // namespace velnix::qt_platform::testing

#include "BusSignalTest.moc"
