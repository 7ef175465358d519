#include "ui/main/TenalineFrm.h"

#include <exception>

#include "common/Guarded.h"
#include "config/SettingsKeys.h"
#include "ui/main/TrafficFigures.h"

namespace velnix {

namespace {

// Placement at load, in twips; the configuration dialog opens this far right of the window.
constexpr int kLoadLeft = 100;
constexpr int kLoadTop = 100;
constexpr int kConfigOffset = 300;

// The start-up tip has one blank before the colon, the two state tips have two.
constexpr std::string_view kStartTip = "Velnix : Démarrage.";
constexpr std::string_view kConnectedTip = "Velnix  : Connecté.";
constexpr std::string_view kDisconnectedTip = "Velnix  : Déconnecté.";

constexpr std::string_view kConnectedStatus = "Connexion établie depuis :";
constexpr std::string_view kDisconnectedStatus = "Non connecté";
constexpr std::string_view kConnectedImageTip = "Connecté.";
constexpr std::string_view kDisconnectedImageTip = "Non connecté";
constexpr std::string_view kConnectCaption = "Se connecter";
constexpr std::string_view kHangUpCaption = "Se déconnecter";
constexpr std::string_view kHideCaption = "Masquer";
constexpr std::string_view kShowCaption = "Afficher";

constexpr std::string_view kUnknownError = "Une erreur inattendue s'est produite.";

}  // namespace

TenalineFrm::TenalineFrm(const TenalineFrmParts& parts)
    : mParts(parts), mGraphs(parts.picGraphD, parts.picGraphU) {}

TenalineFrm::~TenalineFrm() { Unbind(); }

void TenalineFrm::Unbind() {
    if (mIAC) mIAC->Unadvise(this);
    mIAC.reset();
}

template <typename Action>
void TenalineFrm::RunCommand(Action action) {
    try {
        action();
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError(kUnknownError);
    }
}

void TenalineFrm::ReportError(std::string_view text) {
    mParts.messageBox.Show(text, kApplicationTitle, MsgBox::Icon::Critical);
}

// A load that fails half-way is reported and the window is shown all the same.
void TenalineFrm::Show() {
    if (!mLoaded) {
        mLoaded = true;
        RunCommand([&] { Load(); });
    }
    if (!mEnded) RunCommand([&] { mParts.controls.Show(); });
}

void TenalineFrm::Load() {
    if (mParts.application.AnotherCopyRunning()) {
        mEnded = true;
        mParts.application.Quit();
        return;
    }
    mParts.controls.Move(kLoadLeft, kLoadTop);
    mParts.tray.IconPicture(mParts.controls.Icon());
    mParts.tray.TipText(kStartTip);

    // A stored value that is not a boolean is shown, and the mark starts unticked.
    bool autoMask = false;
    try {
        autoMask = ReadSetting(mParts.settings, settings::kAutoMask);
    } catch (const std::exception& error) {
        ReportError(error.what());
    }
    mParts.menu.SetChecked(MenuEntry::CmdAutoMask, autoMask);
}

void TenalineFrm::BindTo(std::shared_ptr<InternetTenaline> lIAC) {
    if (mEnded) return;
    RunCommand([&] {
        mIAC = std::move(lIAC);
        mIAC->Advise(this);
        if (mIAC->Connected()) {
            Connected();
        } else {
            Disconnected();
        }
    });
}

void TenalineFrm::Connected() {
    mParts.controls.SetCaption(Control::Label5, kConnectedStatus);
    mParts.controls.SetVisible(Control::lblTemps, true);
    mParts.controls.SetPicture(Control::Image2, mParts.images.ByIndex(1));
    mParts.controls.SetToolTip(Control::Image2, kConnectedImageTip);
    mParts.menu.SetCaption(MenuEntry::CmdConnect, kHangUpCaption);
    mParts.controls.SetCaption(Control::CmdCon, kHangUpCaption);
    mParts.tray.TipText(kConnectedTip);
    mParts.tray.IconPicture(mParts.images.ByKey("Connected"));
    if (mParts.menu.Checked(MenuEntry::CmdAutoMask)) HideToTray();
}

void TenalineFrm::Disconnected() {
    mParts.controls.SetCaption(Control::Label5, kDisconnectedStatus);
    mParts.controls.SetVisible(Control::lblTemps, false);
    mParts.menu.SetCaption(MenuEntry::CmdConnect, kConnectCaption);
    mParts.controls.SetCaption(Control::CmdCon, kConnectCaption);
    mParts.controls.SetPicture(Control::Image2, mParts.images.ByIndex(2));
    mParts.controls.SetToolTip(Control::Image2, kDisconnectedImageTip);
    mParts.tray.TipText(kDisconnectedTip);
    mParts.tray.IconPicture(mParts.images.ByKey("Disconnected"));
    if (mParts.menu.Checked(MenuEntry::CmdAutoMask)) RestoreFromTray();
}

void TenalineFrm::UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                              int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) {
    const std::string& separator = mParts.decimalSeparator;
    mParts.controls.SetCaption(Control::lblNom, sNom);
    mParts.controls.SetCaption(Control::lblTemps, FormatDuration(lTemps));
    mParts.controls.SetCaption(Control::lblVitesseD, FormatSize(lVitesseD, separator) + "/s");
    mParts.controls.SetCaption(Control::lblVitesseU, FormatSize(lVitesseU, separator) + "/s");
    mParts.controls.SetCaption(Control::lblOctetsEnvoyes, FormatSize(lOctetsEnvoyes, separator));
    mParts.controls.SetCaption(Control::lblOctetsRecus, FormatSize(lOctetsRecus, separator));
    mGraphs.PlotSpeeds(lVitesseD, lVitesseU);
}

// The action follows the object's Connected, whatever the captions read.
void TenalineFrm::ConnectOrHangUp() {
    if (!mIAC) return;
    if (mIAC->Connected()) {
        mIAC->Disconnect();
    } else {
        mIAC->Connect();
    }
}

void TenalineFrm::CmdConClick() {
    RunCommand([&] { ConnectOrHangUp(); });
}

void TenalineFrm::CmdConnectClick() {
    RunCommand([&] { ConnectOrHangUp(); });
}

// A new dialog on every use, its top at the window's bottom edge, 300 twips right of its left.
void TenalineFrm::CmdConfigClick() {
    RunCommand([&] {
        if (!mIAC) return;
        const int left = mParts.controls.Left() + kConfigOffset;
        const int top = mParts.controls.Top() + mParts.controls.Height();
        mParts.dialogs.OpenConfiguration(mIAC, left, top);
    });
}

void TenalineFrm::ToggleTray() {
    if (mParts.tray.InTray()) {
        RestoreFromTray();
    } else {
        HideToTray();
    }
}

void TenalineFrm::CmdIconizeClick() {
    RunCommand([&] { ToggleTray(); });
}

void TenalineFrm::Command1Click() {
    RunCommand([&] { ToggleTray(); });
}

void TenalineFrm::HideToTray() {
    mParts.menu.SetCaption(MenuEntry::CmdIconize, kShowCaption);
    mParts.tray.EnterTray();
    mParts.controls.Hide();
}

void TenalineFrm::RestoreFromTray() {
    mParts.menu.SetCaption(MenuEntry::CmdIconize, kHideCaption);
    mParts.tray.LeaveTray();
    mParts.controls.Show();
}

// The mark changes at once; the window is hidden or shown only by the next state event.
void TenalineFrm::CmdAutoMaskClick() {
    RunCommand([&] {
        const bool checked = !mParts.menu.Checked(MenuEntry::CmdAutoMask);
        mParts.menu.SetChecked(MenuEntry::CmdAutoMask, checked);
        WriteSetting(mParts.settings, settings::kAutoMask, checked);
    });
}

void TenalineFrm::MnuAproposClick() {
    RunCommand([&] { mParts.dialogs.ShowAbout(); });
}

// Ends the program without unload handling and without hanging up.
void TenalineFrm::CmdQuitClick() {
    RunCommand([&] { mParts.application.Quit(); });
}

void TenalineFrm::Command2Click() {
    RunCommand([&] { mParts.application.Quit(); });
}

// A minimised window goes into the notification area and comes back later in its normal state.
void TenalineFrm::FormResize() {
    RunCommand([&] {
        if (!mParts.controls.IsMinimised()) return;
        ToggleTray();
        mParts.controls.SetNormalState();
    });
}

// Lets go of the object, which ends unless a configuration dialog holds it; nothing is hung up.
void TenalineFrm::FormUnload() { Unbind(); }

// One run of the monitor; a tick ignores every failure. A handler may unload the window: the
// tick holds the object until the run returns.
void TenalineFrm::SurvConnTimer() {
    const std::shared_ptr<InternetTenaline> object = mIAC;
    if (!object) return;
    Guarded([&] { object->PollConnection(); });
}

void TenalineFrm::TrayToggleEvent(int16_t button) {
    if (button != TrayIcon::kLeftButton) return;
    RunCommand([&] { ToggleTray(); });
}

void TenalineFrm::TrayMenuEvent(int16_t button) {
    if (button != TrayIcon::kRightButton) return;
    RunCommand([&] { mParts.menu.Popup(); });
}

void TenalineFrm::RestoreRequested() {
    RunCommand([&] {
        if (mParts.tray.InTray()) RestoreFromTray();
    });
}

}  // namespace velnix
