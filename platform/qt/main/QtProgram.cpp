#include "platform/qt/main/QtProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

namespace velnix::qt_platform {

namespace {
QString DefaultLockPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath("velnix.lock");
}
}  // namespace

QtProgram::QtProgram() : QtProgram(DefaultLockPath()) {}

QtProgram::QtProgram(const QString& lockPath) : lock_(lockPath) {}

// A lock that cannot be taken for another reason than a living holder (a folder that cannot be
// written) does not keep the user from starting the program.
bool QtProgram::AnotherCopyRunning() {
    if (lock_.isLocked()) return false;
    if (lock_.tryLock(0)) return false;
    return lock_.error() == QLockFile::LockFailedError;
}

// exit() rather than quit(): quit() would first close every window, running their unload
// handling.
void QtProgram::Quit() {
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
        return;
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace velnix::qt_platform
