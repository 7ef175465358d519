#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "config/SettingsStore.h"
#include "engine/InternetTenaline.h"
#include "engine/TenalineEvents.h"
#include "engine/TenalineWindow.h"
#include "ui/MsgBox.h"
#include "ui/main/Application.h"
#include "ui/main/Canvas.h"
#include "ui/main/CommandMenu.h"
#include "ui/main/DialogOpener.h"
#include "ui/main/FormControls.h"
#include "ui/main/ImageList.h"
#include "ui/main/SpeedGraphs.h"
#include "ui/main/TrayIcon.h"

namespace velnix {

// What the main window's logic works on. The toolkit layer owns all of it.
struct TenalineFrmParts {
    FormControls& controls;
    CommandMenu& menu;
    TrayIcon& tray;
    ImageList& images;
    Canvas& picGraphD;
    Canvas& picGraphU;
    Application& application;
    MsgBox& messageBox;
    DialogOpener& dialogs;
    SettingsStore& settings;
    std::string decimalSeparator = ",";  // the user's
};

// The main window's logic: start, binding to the connection object, the commands of the buttons,
// the menu and the notification-area icon, hiding into and coming back from the notification
// area, the display of the connection's state and figures, and the one-second timer.
//
// The toolkit layer delivers the window's events by calling the public methods below. A command
// never ends the program on a failure: the error is shown in a message box and the program goes
// on. The toolkit layer owns the window logic while the window is open and destroys it once the
// window is closed, never inside one of its calls; the logic owns the connection object.
class TenalineFrm : public TenalineWindow, public TenalineEvents {
  public:
    explicit TenalineFrm(const TenalineFrmParts& parts);
    // A window destroyed without unload lets go of the object all the same.
    ~TenalineFrm() override;

    TenalineFrm(const TenalineFrm&) = delete;
    TenalineFrm& operator=(const TenalineFrm&) = delete;

    // Loads the window on its first call (a second copy of the program ends here) and shows it.
    void Show() override;
    void BindTo(std::shared_ptr<InternetTenaline> lIAC) override;

    // The handlers of the object's events (mIAC_Connected, mIAC_Disconnected,
    // mIAC_UpdateState). They catch nothing: a failing step ends the handler there.
    void Connected() override;
    void Disconnected() override;
    void UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                     int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) override;

    // Commands of the buttons and of the menu.
    void CmdConClick();
    void CmdConnectClick();
    void CmdConfigClick();
    void CmdIconizeClick();
    void Command1Click();
    void CmdAutoMaskClick();
    void MnuAproposClick();
    void CmdQuitClick();
    void Command2Click();

    // Events of the window.
    void FormResize();  // the window's state changed (for instance it was minimised)
    void FormUnload();  // the window is being closed
    void SurvConnTimer();

    // The two mouse events of the notification-area icon.
    void TrayToggleEvent(int16_t button);
    void TrayMenuEvent(int16_t button);

    // The user brought back by other means (the task bar) a window that stands for hidden.
    void RestoreRequested();

    // True once the start found another copy running: the window stays hidden and unbound.
    bool Ended() const { return mEnded; }

    // The event-receiving reference to the connection object; empty before BindTo and after
    // unload.
    std::shared_ptr<InternetTenaline> mIAC;

  private:
    void Load();
    void Unbind();
    void ConnectOrHangUp();
    void ToggleTray();
    void HideToTray();
    void RestoreFromTray();

    // Runs a command; a failure is shown in a message box instead of ending the program.
    template <typename Action>
    void RunCommand(Action action);
    void ReportError(std::string_view text);

    TenalineFrmParts mParts;
    SpeedGraphs mGraphs;
    bool mLoaded = false;
    bool mEnded = false;
};

}  // namespace velnix
