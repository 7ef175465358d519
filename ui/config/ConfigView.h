#pragma once

#include <string>

namespace velnix {

// The controls of the configuration dialog, as its logic sees them.
class ConfigView {
  public:
    virtual ~ConfigView() = default;

    // The drop-down list of phone-book entries; index -1 means nothing is selected.
    virtual void CboConnection_AddItem(const std::string& item) = 0;
    virtual int CboConnection_ListCount() = 0;
    virtual std::string CboConnection_List(int index) = 0;
    virtual int CboConnection_ListIndex() = 0;
    virtual void CboConnection_SetListIndex(int index) = 0;

    virtual bool ChkReconnect() = 0;
    virtual void SetChkReconnect(bool ticked) = 0;
    virtual std::string TxtLogin() = 0;
    virtual void SetTxtLogin(const std::string& text) = 0;
    virtual std::string TxtPasword() = 0;
    virtual void SetTxtPasword(const std::string& text) = 0;

    // The start box. Setting it from here reports no click: the logic runs its own handling.
    virtual bool ChkStartOnWin() = 0;
    virtual void SetChkStartOnWin(bool ticked) = 0;

    // Closes the dialog for good.
    virtual void Close() = 0;
};

}  // namespace velnix
