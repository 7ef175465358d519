#pragma once

#include <windows.h>

#include <vector>

#include "platform/windows/main/ToolTips.h"
#include "platform/windows/system/Handles.h"
#include "ui/about/AboutView.h"
#include "ui/about/frmAbout.h"

namespace velnix::windows_platform {

// The About dialog, modal over the active window of the program: one at a time; asked again
// while it shows, it comes to the front.
class WindowsAboutDialog : public AboutView {
  public:
    // Shows the dialog and returns once it is closed.
    static void Show(const AboutServices& services);
    ~WindowsAboutDialog() override;
    WindowsAboutDialog(const WindowsAboutDialog&) = delete;
    WindowsAboutDialog& operator=(const WindowsAboutDialog&) = delete;

    void SetCaption(const std::string& text) override;
    void SetLblTitle(const std::string& text) override;
    void SetLblVersion(const std::string& text) override;
    void Close() override;

  private:
    explicit WindowsAboutDialog(const AboutServices& services);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreatePictures();
    void LayOut(UINT dpi);
    void RunUntilClosed();

    frmAbout logic_;
    HWND window_ = nullptr;
    bool closed_ = false;
    // A control and where it goes, in twips, with its look.
    struct Placed;
    std::vector<Placed> placed_;
    ToolTips tips_;
    UniqueGdiObject font_;
    UniqueGdiObject titleFont_;
    UniqueGdiObject buttonFont_;
    UniqueIcon logo_;
    UniqueGdiObject donation_;
};

}  // namespace velnix::windows_platform
