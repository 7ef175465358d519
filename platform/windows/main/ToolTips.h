#pragma once

#include <windows.h>

#include <string>

namespace velnix::windows_platform {

// The tips shown over the controls of one window, through one tooltip control that window owns
// (and destroys with itself).
class ToolTips {
  public:
    ToolTips() = default;
    explicit ToolTips(HWND owner);

    // `control` shows `text` while the pointer rests over it; an empty text shows nothing.
    void Add(HWND control, const std::wstring& text);
    void SetText(HWND control, const std::wstring& text);
    void SetFont(HFONT font);

  private:
    HWND owner_ = nullptr;
    HWND tips_ = nullptr;
};

}  // namespace velnix::windows_platform
