#pragma once

#include <windows.h>

#include <memory>

#include "config/SettingsStore.h"
#include "platform/windows/main/MainLayout.h"
#include "platform/windows/main/ToolTips.h"
#include "platform/windows/main/WindowsCanvas.h"
#include "platform/windows/main/WindowsCommandMenu.h"
#include "platform/windows/main/WindowsImageList.h"
#include "platform/windows/main/WindowsTrayIcon.h"
#include "platform/windows/system/Handles.h"
#include "ui/MsgBox.h"
#include "ui/main/Application.h"
#include "ui/main/DialogOpener.h"
#include "ui/main/FormControls.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::windows_platform {

// What the Windows main window takes from the program.
struct WindowsFrontEnd {
    Application& application;
    MsgBox& messageBox;
    DialogOpener& dialogs;
    SettingsStore& settings;
};

// The main window "Velnix": black, fixed size, its controls laid out from their twips at the
// window's DPI. It renders what the window logic sets and forwards the buttons, the one-second
// timer, the menu's and the icon's events to it.
//
// The window (its HWND) owns the form from its creation to WM_NCDESTROY, and the form owns the
// window logic. Closed, the window lets go of the connection object and goes with its form and
// logic; the program's message loop ends once no main window is left.
class WindowsMainForm : public FormControls {
  public:
    // Creates the window, hidden; the window owns the form returned.
    static WindowsMainForm& Create(const WindowsFrontEnd& frontEnd);
    ~WindowsMainForm() override;
    WindowsMainForm(const WindowsMainForm&) = delete;
    WindowsMainForm& operator=(const WindowsMainForm&) = delete;

    const std::shared_ptr<TenalineFrm>& Logic() const { return logic_; }

    void SetCaption(Control control, std::string_view caption) override;
    void SetVisible(Control control, bool visible) override;
    void SetToolTip(Control control, std::string_view tip) override;
    void SetPicture(Control control, PictureRef picture) override;
    PictureRef Icon() const override { return icon_; }
    int Left() const override;
    int Top() const override;
    int Height() const override;
    void Move(int left, int top) override;
    void Show() override;
    void Hide() override;
    bool IsMinimised() const override;
    void SetNormalState() override;

  private:
    explicit WindowsMainForm(const WindowsFrontEnd& frontEnd);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Build();
    void ApplyLayout();
    void FitToText(const ControlSpec& spec);
    void RepaintUnder(HWND child) const;
    void Paint();
    RECT OuterRect() const;
    const ControlSpec& SpecOf(Control control) const;
    HWND Child(int id) const { return GetDlgItem(window_, id); }
    LRESULT ColourStatic(HDC context, HWND control) const;
    void OnTrayEvent(UINT event);
    void Close();

    WindowsFrontEnd frontEnd_;
    HWND window_ = nullptr;
    ToolTips tips_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool ownedByWindow_ = false;
    UniqueGdiObject font_;
    std::shared_ptr<TenalineFrm> logic_;  // made once the controls exist
    WindowsImageList images_;
    WindowsCommandMenu menu_;
    WindowsTrayIcon tray_;
    std::unique_ptr<WindowsCanvas> picGraphD_;
    std::unique_ptr<WindowsCanvas> picGraphU_;
    PictureRef icon_;
    PictureRef bigIcon_;
    PictureRef logo_;
    PictureRef image2_;
    bool trayWanted_ = false;
};

// Creates a main window and gives its logic, which the window owns.
std::shared_ptr<TenalineFrm> CreateWindowsTenalineFrm(const WindowsFrontEnd& frontEnd);

}  // namespace velnix::windows_platform
