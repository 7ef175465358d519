#include "platform/qt/about/QtShellOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {

void QtShellOpener::Open(std::string_view file, std::string_view, std::string_view) {
    const QString target = FromUtf8(file);
    QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

}  // namespace velnix::qt_platform
