#include "platform/qt/app/QtDialogOpener.h"

#include <QPoint>

#include "platform/qt/about/AboutDialog.h"
#include "platform/qt/config/ConfigurationDialog.h"
#include "ui/Twips.h"

namespace velnix::qt_platform {

void QtDialogOpener::OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                                       int topTwips) {
    OpenConfigurationDialog(std::move(lIAC),
                            QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips)), registry_,
                            messages_);
}

void QtDialogOpener::ShowAbout() { ShowAboutDialog(about_); }

}  // namespace velnix::qt_platform
