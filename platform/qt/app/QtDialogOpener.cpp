#include "platform/qt/app/QtDialogOpener.h"

#include <QPoint>

#include "platform/qt/about/AboutDialog.h"
#include "platform/qt/config/ConfigurationDialog.h"

namespace velnix::qt_platform {

namespace {
constexpr int kTwipsPerPixel = 15;
}

void QtDialogOpener::OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                                       int topTwips) {
    OpenConfigurationDialog(std::move(lIAC),
                            QPoint(leftTwips / kTwipsPerPixel, topTwips / kTwipsPerPixel),
                            registry_, messages_);
}

void QtDialogOpener::ShowAbout() { ShowAboutDialog(about_); }

}  // namespace velnix::qt_platform
