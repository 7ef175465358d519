#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "config/modRegistry.h"
#include "platform/windows/system/Handles.h"
#include "ui/MsgBox.h"
#include "ui/config/ConfigTenaline.h"
#include "ui/config/ConfigView.h"

namespace velnix::windows_platform {

// The identifiers of the configuration dialog's controls. Enter saves (IDOK), Escape closes.
enum ConfigControl : int {
    kConfigConnection = 101,
    kConfigLogin,
    kConfigPassword,
    kConfigReconnect,
    kConfigStartOnWin,
    kConfigSave = IDOK,
    kConfigClose = IDCANCEL,
};

// A modeless configuration dialog: a window of its own for each opening, which holds the
// connection object until it saves or closes, and deletes itself with its window.
class WindowsConfigDialog : public ConfigView {
  public:
    // Opens a new dialog at `topLeftPixels` on the screen, bound to `lIAC`, and gives its window.
    static HWND Open(std::shared_ptr<InternetTenaline> lIAC, POINT topLeftPixels,
                     modRegistry& registry, MsgBox& messages);

    void CboConnection_AddItem(const std::string& item) override;
    int CboConnection_ListCount() override;
    std::string CboConnection_List(int index) override;
    int CboConnection_ListIndex() override;
    void CboConnection_SetListIndex(int index) override;
    bool ChkReconnect() override;
    void SetChkReconnect(bool ticked) override;
    std::string TxtLogin() override;
    void SetTxtLogin(const std::string& text) override;
    std::string TxtPasword() override;
    void SetTxtPasword(const std::string& text) override;
    bool ChkStartOnWin() override;
    void SetChkStartOnWin(bool ticked) override;
    void Close() override;

  private:
    WindowsConfigDialog(modRegistry& registry, MsgBox& messages);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void LayOut(UINT dpi);
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    ConfigTenaline logic_;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    UniqueGdiObject font_;
    std::vector<HWND> controls_;  // in the order of the layout's table
    std::vector<UniqueGdiObject> pictures_;
};

}  // namespace velnix::windows_platform
