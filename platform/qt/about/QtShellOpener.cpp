#include "platform/qt/about/QtShellOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace velnix::qt_platform {

void QtShellOpener::Open(std::string_view file, std::string_view, std::string_view) {
    const QString target = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
    QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

}  // namespace velnix::qt_platform
