#include "testsupport/FakeTenalineWindow.h"

namespace velnix::testing {

void FakeTenalineWindow::Show() { journal_->push_back("Show"); }

void FakeTenalineWindow::BindTo(std::shared_ptr<InternetTenaline> lIAC) {
    mIAC = std::move(lIAC);
    mIAC->Advise(this);
    journal_->push_back(mIAC->Connected() ? "BindTo connected" : "BindTo not connected");
}

void FakeTenalineWindow::Unload() {
    if (mIAC) mIAC->Unadvise(this);
    mIAC.reset();
}

}  // namespace velnix::testing
