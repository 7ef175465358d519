// One copy of the program per user, and ending it.

#include "platform/qt/main/QtProgram.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace velnix::qt_platform {
namespace {

TEST(QtProgramTest, SecondCopyIsToldAndTheLockIsFreedWithTheFirst) {
    QTemporaryDir folder;
    const QString lock = folder.filePath("velnix.lock");
    auto first = std::make_unique<QtProgram>(lock);
    EXPECT_FALSE(first->AnotherCopyRunning());
    EXPECT_FALSE(first->AnotherCopyRunning());  // asking again does not find itself
    QtProgram second(lock);
    EXPECT_TRUE(second.AnotherCopyRunning());
    first.reset();
    QtProgram third(lock);
    EXPECT_FALSE(third.AnotherCopyRunning());
}

TEST(QtProgramTest, LockOfAProcessThatIsGoneIsRecovered) {
    QTemporaryDir folder;
    const QString lock = folder.filePath("velnix.lock");
    QFile stale(lock);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // Process ids never reach this value on Linux (pid_max is at most 2^22).
    stale.write("99999999\nvelnix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    QtProgram program(lock);
    EXPECT_FALSE(program.AnotherCopyRunning());
}

TEST(QtProgramTest, QuitBeforeTheMainLoopEndsItAsSoonAsItStarts) {
    QTemporaryDir folder;
    QtProgram program(folder.filePath("velnix.lock"));
    program.Quit();
    bool ranLater = false;
    QTimer::singleShot(2000, [&] {
        ranLater = true;
        QCoreApplication::exit(1);
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(ranLater);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(QtProgramTest, QuitInsideTheLoopLeavesItWithoutClosingWindows) {
    QTemporaryDir folder;
    QtProgram program(folder.filePath("velnix.lock"));
    QWidget window;
    window.show();
    QTimer::singleShot(0, [&] { program.Quit(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(window.isVisible());  // no close, so no unload handling
}

}  // namespace
}  // namespace velnix::qt_platform
