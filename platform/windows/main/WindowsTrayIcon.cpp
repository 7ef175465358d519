#include "platform/windows/main/WindowsTrayIcon.h"

#include <shellapi.h>

#include <cwchar>

#include "platform/windows/main/WindowsPicture.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {
namespace {
constexpr UINT kIconId = 1;
}

NOTIFYICONDATAW WindowsTrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kMessage;
    data.hIcon = IconOf(picture_);
    // The tip is cut to what the field holds (127 characters and its end).
    wcsncpy(data.szTip, tip_.c_str(), std::size(data.szTip) - 1);
    return data;
}

void WindowsTrayIcon::TipText(std::string_view tip) {
    tip_ = WideFromUtf8(tip).value_or(L"");
    Update();
}

void WindowsTrayIcon::IconPicture(PictureRef picture) {
    picture_ = std::move(picture);
    Update();
}

// The whole icon each time: Wine's notification area, told of a new picture alone, showed an
// empty square that took no more clicks.
void WindowsTrayIcon::Update() {
    if (!present_) return;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

// An icon still there (the shell kept it) is brought up to date instead.
void WindowsTrayIcon::Add() {
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!Shell_NotifyIconW(NIM_ADD, &data) && !Shell_NotifyIconW(NIM_MODIFY, &data)) return;
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    present_ = true;
}

void WindowsTrayIcon::Remove() {
    if (!present_) return;
    NOTIFYICONDATAW data = Data(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
    present_ = false;
}

}  // namespace velnix::windows_platform
