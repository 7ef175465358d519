#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/main/FormControls.h"

namespace velnix::testing {

std::string ControlName(Control control);

// The main window's controls in memory. Every change is also written to a shared journal
// ("caption Label5 Non connecté", "visible lblTemps 0", "picture Image2 Connected",
// "tooltip Image2 Connecté.", "move 100 100", "show", "hide", "normal state").
class FakeFormControls : public FormControls {
  public:
    explicit FakeFormControls(std::vector<std::string>* journal) : journal_(journal) {}

    void SetCaption(Control control, std::string_view caption) override;
    void SetVisible(Control control, bool visible) override;
    void SetToolTip(Control control, std::string_view tip) override;
    void SetPicture(Control control, PictureRef picture) override;
    PictureRef Icon() const override;
    int Left() const override { return left; }
    int Top() const override { return top; }
    int Height() const override { return height; }
    void Move(int newLeft, int newTop) override;
    void Show() override;
    void Hide() override;
    bool IsMinimised() const override { return minimised; }
    void SetNormalState() override;

    std::map<Control, std::string> captions;
    std::map<Control, bool> visible;
    std::map<Control, std::string> tips;
    std::map<Control, std::string> pictures;
    int left = 0;
    int top = 0;
    int height = 3525;
    bool shown = false;
    bool minimised = false;
    bool failShow = false;

  private:
    std::vector<std::string>* journal_;
};

}  // namespace velnix::testing
