#include "testsupport/FakeFormControls.h"

#include "common/Errors.h"
#include "testsupport/FakeImageList.h"

namespace velnix::testing {

std::string ControlName(Control control) {
    switch (control) {
        case Control::Label5:
            return "Label5";
        case Control::lblNom:
            return "lblNom";
        case Control::lblTemps:
            return "lblTemps";
        case Control::lblVitesseD:
            return "lblVitesseD";
        case Control::lblVitesseU:
            return "lblVitesseU";
        case Control::lblOctetsRecus:
            return "lblOctetsRecus";
        case Control::lblOctetsEnvoyes:
            return "lblOctetsEnvoyes";
        case Control::Image2:
            return "Image2";
        case Control::CmdCon:
            return "CmdCon";
        case Control::Command1:
            return "Command1";
    }
    return "?";
}

void FakeFormControls::SetCaption(Control control, std::string_view caption) {
    captions[control] = caption;
    journal_->push_back("caption " + ControlName(control) + " " + std::string(caption));
}

void FakeFormControls::SetVisible(Control control, bool isVisible) {
    visible[control] = isVisible;
    journal_->push_back("visible " + ControlName(control) + (isVisible ? " 1" : " 0"));
}

void FakeFormControls::SetToolTip(Control control, std::string_view tip) {
    tips[control] = tip;
    journal_->push_back("tooltip " + ControlName(control) + " " + std::string(tip));
}

void FakeFormControls::SetPicture(Control control, PictureRef picture) {
    pictures[control] = PictureName(picture);
    journal_->push_back("picture " + ControlName(control) + " " + pictures[control]);
}

PictureRef FakeFormControls::Icon() const { return std::make_shared<FakePicture>("WindowIcon"); }

void FakeFormControls::Move(int newLeft, int newTop) {
    left = newLeft;
    top = newTop;
    journal_->push_back("move " + std::to_string(left) + " " + std::to_string(top));
}

void FakeFormControls::Show() {
    if (failShow) throw VelnixError("la fenêtre ne peut pas s'afficher");
    shown = true;
    journal_->push_back("show");
}

void FakeFormControls::Hide() {
    shown = false;
    journal_->push_back("hide");
}

void FakeFormControls::SetNormalState() {
    minimised = false;
    journal_->push_back("normal state");
}

}  // namespace velnix::testing
