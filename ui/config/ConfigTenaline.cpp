#include "ui/config/ConfigTenaline.h"

#include <exception>

#include "common/Guarded.h"
#include "common/Text.h"
#include "config/RegistryKeys.h"
#include "engine/InternetTenaline.h"

namespace velnix {

ConfigTenaline::ConfigTenaline(ConfigView& view, modRegistry& registry, MsgBox& messages)
    : view_(view), registry_(registry), messages_(messages) {}

void ConfigTenaline::BindTo(std::shared_ptr<InternetTenaline> lIAC) {
    mIAC = std::move(lIAC);
    for (const std::string& name : mIAC->ConnectionList()) view_.CboConnection_AddItem(name);
    view_.SetChkReconnect(mIAC->Tenaline());
    try {
        // Names are compared as the connection monitor compares them: without regard to case.
        const std::string stored = mIAC->Connection();
        const int count = view_.CboConnection_ListCount();
        for (int index = 0; index < count; ++index) {
            if (!stored.empty() && EqualsIgnoreCase(view_.CboConnection_List(index), stored)) {
                view_.CboConnection_SetListIndex(index);
                break;
            }
        }
    } catch (...) {
        // A name that cannot be selected leaves the list without a selection.
    }
    view_.SetTxtLogin(mIAC->Login());
    view_.SetTxtPasword(mIAC->PassWord());
}

void ConfigTenaline::Form_Activate() {
    const bool registered =
        registry_.QueryValue(reg::kHKeyLocalMachine, StartKeyPath(), startentry::kValueName,
                             registry_.ExePath) == reg::kErrorSuccess;
    if (registered != view_.ChkStartOnWin()) {
        view_.SetChkStartOnWin(registered);
        chkStartOnWin_Click();
    }
}

void ConfigTenaline::chkStartOnWin_Click() {
    const bool wanted = view_.ChkStartOnWin();
    Guarded([&] {
        registry_.BuildExePath();
        const std::string keyPath = StartKeyPath();
        if (wanted) {
            registry_.SetStringValue(reg::kHKeyLocalMachine, keyPath, startentry::kValueName,
                                     registry_.ExePath);
        } else {
            registry_.DeleteValue(reg::kHKeyLocalMachine, keyPath, startentry::kValueName);
        }
    });
    // The box must not claim what the registry refused: show the real state and say why.
    bool registered = wanted;
    Guarded([&] { registered = StartEntryExists(); });
    if (registered != wanted) {
        view_.SetChkStartOnWin(registered);
        messages_.Show(kStartEntryRefused, kApplicationTitle, MsgBox::Icon::Critical);
    }
}

// A save that fails says why and leaves the dialog open with what was typed, to try again.
void ConfigTenaline::CmdSave_Click() {
    if (!mIAC) return;
    try {
        mIAC->Tenaline(view_.ChkReconnect());
        const int index = view_.CboConnection_ListIndex();
        mIAC->Connection(index >= 0 ? view_.CboConnection_List(index) : std::string());
        mIAC->Login(view_.TxtLogin());
        mIAC->PassWord(view_.TxtPasword());
    } catch (const std::exception& error) {
        messages_.Show(error.what(), kApplicationTitle, MsgBox::Icon::Critical);
        return;
    }
    mIAC.reset();
    view_.Close();
}

void ConfigTenaline::Command1_Click() { view_.Close(); }

std::string ConfigTenaline::StartKeyPath() {
    return std::string(registry_.IsWindowsNT() ? startentry::kRunKey : startentry::kRunServicesKey);
}

bool ConfigTenaline::StartEntryExists() {
    std::string data;
    return registry_.QueryValue(reg::kHKeyLocalMachine, StartKeyPath(), startentry::kValueName,
                                data) == reg::kErrorSuccess;
}

}  // namespace velnix
