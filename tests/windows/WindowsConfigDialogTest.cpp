#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/SettingsKeys.h"
#include "platform/windows/dialogs/DialogMessages.h"
#include "platform/windows/dialogs/WindowsConfigDialog.h"
#include "testsupport/EngineFixture.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"

namespace velnix::windows_platform {
namespace {

class WindowsConfigDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.ras.entries = {"Maison ADSL", "Secours RTC"};
        registry.AddKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
        registry.AddKey("Software\\Microsoft\\Windows\\CurrentVersion\\RunServices");
        dialog = WindowsConfigDialog::Open(object, {20, 150}, module, messages);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(GetDpiForWindow(dialog), 96u);
    }
    void TearDown() override {
        if (IsWindow(dialog)) DestroyWindow(dialog);
    }

    RECT ClientBox(int id) {
        RECT box{};
        GetWindowRect(GetDlgItem(dialog, id), &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        return box;
    }

    void Pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (RouteToModelessDialog(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    velnix::testing::EngineFixture engine;
    std::shared_ptr<InternetTenaline> object = engine.Start();
    velnix::testing::FakeRegistry registry;
    velnix::testing::FakeShortPath shortPath;
    velnix::testing::FakeVersion version;
    velnix::testing::FakeRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
    velnix::testing::FakeMsgBox messages;
    HWND dialog = nullptr;
};

// 1440 twips to the inch: at 96 dpi, 15 twips to the pixel.
TEST_F(WindowsConfigDialogTest, ControlsSitAtTheirTwipsAndTabInOrder) {
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 248);
    EXPECT_EQ(client.bottom, 157);
    const RECT login = ClientBox(kConfigLogin);
    EXPECT_EQ(login.left, 104);
    EXPECT_EQ(login.top, 24);
    EXPECT_EQ(login.right - login.left, 137);
    EXPECT_EQ(login.bottom - login.top, 19);
    const RECT close = ClientBox(kConfigClose);
    EXPECT_EQ(close.left, 168);
    EXPECT_EQ(close.top, 120);
    EXPECT_EQ(close.right - close.left, 73);
    EXPECT_EQ(close.bottom - close.top, 25);

    const std::vector<int> order = {kConfigConnection, kConfigLogin,     kConfigPassword,
                                    kConfigReconnect,  kConfigSave,      kConfigClose,
                                    kConfigStartOnWin, kConfigConnection};
    HWND control = GetDlgItem(dialog, order.front());
    for (size_t step = 1; step < order.size(); ++step) {
        control = GetNextDlgTabItem(dialog, control, FALSE);
        EXPECT_EQ(GetDlgCtrlID(control), order[step]) << "after step " << step;
    }
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog, kConfigSave), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog, kConfigPassword), GWL_STYLE) & ES_PASSWORD);
}

// Moved to a screen of twice the density: the place the system suggests, its twips at 192 dpi.
TEST_F(WindowsConfigDialogTest, LaysItselfOutAgainAtANewDpi) {
    RECT suggested{40, 300, 600, 700};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 300);
    const RECT close = ClientBox(kConfigClose);
    EXPECT_EQ(close.left, 336);
    EXPECT_EQ(close.top, 240);
    EXPECT_EQ(close.right - close.left, 146);
    EXPECT_EQ(close.bottom - close.top, 50);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, kConfigLogin, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -22);  // 8.25 points at 192 dpi
}

TEST_F(WindowsConfigDialogTest, SavingWritesTheControlsThroughTheObjectAndLetsItGo) {
    SendDlgItemMessageW(dialog, kConfigConnection, CB_SETCURSEL, 1, 0);
    SetDlgItemTextW(dialog, kConfigLogin, L"jérôme");
    SetDlgItemTextW(dialog, kConfigPassword, L"secret");
    const long heldBefore = object.use_count();
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kConfigSave, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kConfigSave)));
    Pump();

    const auto stored = [&](const TextSetting& setting) {
        return engine.settings.Get(setting.application, setting.section, setting.key);
    };
    EXPECT_EQ(stored(settings::kConnectionName), "Secours RTC");
    EXPECT_EQ(stored(settings::kLogin), "jérôme");
    EXPECT_EQ(stored(settings::kPassWord), "secret");
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(object.use_count(), heldBefore - 1);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velnix::windows_platform
