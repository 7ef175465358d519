#include "testsupport/FakeTrayIcon.h"

#include "testsupport/FakeImageList.h"

namespace velnix::testing {

void FakeTrayIcon::TipText(std::string_view newTip) {
    tip = newTip;
    journal_->push_back("tip " + tip);
}

void FakeTrayIcon::IconPicture(PictureRef picture) {
    icon = PictureName(picture);
    journal_->push_back("icon " + icon);
}

void FakeTrayIcon::EnterTray() {
    inTray = true;
    ++enters;
    journal_->push_back("EnterTray");
}

void FakeTrayIcon::LeaveTray() {
    inTray = false;
    ++leaves;
    journal_->push_back("LeaveTray");
}

}  // namespace velnix::testing
