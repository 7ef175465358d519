#include "platform/windows/dialogs/WindowsAboutDialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/windows/dialogs/DialogMessages.h"
#include "platform/windows/main/MainLayout.h"
#include "platform/windows/main/ResourceIds.h"
#include "platform/windows/main/WindowClass.h"
#include "platform/windows/system/WideText.h"
#include "ui/about/AboutTexts.h"

namespace velnix::windows_platform {

namespace {

constexpr wchar_t kClassName[] = L"VelnixAbout";
constexpr TwipsBox kClient{0, 0, 5730, 3345};

enum AboutControl : int {
    kTitle = 201,
    kVersion,
    kAuthor,
    kEmail,
    kWeb,
    kLicence,
    kDetails,
    kSysInfo,
    kLogo,
    kDonation,
    kOk = IDOK,
};

enum class Look { Text, Title, Link, Licence, Button, BoldButton, Picture };

struct AboutItem {
    int id;
    const wchar_t* windowClass;
    std::wstring caption;
    DWORD style;
    TwipsBox box;
    Look look;
};

std::wstring Wide(std::string_view text) { return WideFromUtf8(text).value_or(std::wstring()); }

HWND shown = nullptr;

// A link sizes to its text about the centre of the box it was designed with.
void FitAboutCentre(HWND label, const RECT& designed, HGDIOBJ font) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    const HDC context = GetDC(label);
    const HGDIOBJ previous = SelectObject(context, font);
    SIZE size{};
    GetTextExtentPoint32W(context, text.c_str(), length, &size);
    SelectObject(context, previous);
    ReleaseDC(label, context);
    SetWindowPos(label, nullptr, (designed.left + designed.right - size.cx) / 2, designed.top,
                 size.cx, std::max<int>(size.cy, designed.bottom - designed.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

COLORREF ColourOf(int id) {
    switch (id) {
        case kEmail:
        case kWeb:
            return RGB(0, 0, 255);
        case kLicence:
            return RGB(255, 0, 0);
        default:
            return RGB(0, 255, 0);
    }
}

}  // namespace

struct WindowsAboutDialog::Placed {
    HWND control;
    TwipsBox box;
    Look look;
};

WindowsAboutDialog::WindowsAboutDialog(const AboutServices& services) : logic_(*this, services) {}

WindowsAboutDialog::~WindowsAboutDialog() = default;

void WindowsAboutDialog::Show(const AboutServices& services) {
    if (shown != nullptr) {
        SetForegroundWindow(shown);
        return;
    }
    RegisterBlackWindowClass(kClassName, DefWindowProcW);
    WindowsAboutDialog dialog(services);
    const HWND owner = GetActiveWindow();
    dialog.window_ =
        CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, kClassName, L"frmAbout",
                        WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                        owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (dialog.window_ == nullptr) return;
    SetWindowLongPtrW(dialog.window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    SetWindowLongPtrW(dialog.window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    dialog.CreateControls();
    dialog.logic_.Form_Load();

    // Centred on the owner, or on the screen when there is none, and kept whole on the owner's
    // screen (an owner near an edge would push it partly off).
    RECT area{};
    if (owner == nullptr || !GetWindowRect(owner, &area)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame{};
    GetWindowRect(dialog.window_, &frame);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const RECT& work = monitor.rcWork;
    const LONG x =
        std::max(work.left, std::min((area.left + area.right - width) / 2, work.right - width));
    const LONG y =
        std::max(work.top, std::min((area.top + area.bottom - height) / 2, work.bottom - height));
    SetWindowPos(dialog.window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    shown = dialog.window_;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    ShowWindow(dialog.window_, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(dialog.window_, kOk));
    dialog.RunUntilClosed();
    // The owner first, or the system activates another program's window.
    if (owner != nullptr) EnableWindow(owner, TRUE);
    shown = nullptr;
    SetWindowLongPtrW(dialog.window_, GWLP_USERDATA, 0);
    DestroyWindow(dialog.window_);
}

void WindowsAboutDialog::RunUntilClosed() {
    MSG message{};
    while (!closed_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program quits: the outer loop must see it too.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageW(window_, &message)) continue;
        if (RouteToModelessDialog(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowsAboutDialog::CreateControls() {
    const AboutItem items[] = {
        {kOk,
         L"BUTTON",
         L"OK",
         BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
         {3960, 1440, 1500, 585},
         Look::BoldButton},
        {kSysInfo,
         L"BUTTON",
         L"&Système Info...",
         BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         {3960, 2760, 1485, 345},
         Look::Button},
        {kDetails,
         L"BUTTON",
         L"Détails...",
         BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         {3960, 2280, 1455, 375},
         Look::Button},
        {kTitle, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {1080, 120, 3885, 240}, Look::Title},
        {kVersion, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {1050, 480, 3885, 225}, Look::Text},
        {kAuthor,
         L"STATIC",
         Wide(about::kAuthorLine),
         SS_LEFT | SS_NOPREFIX,
         {1080, 840, 3885, 330},
         Look::Text},
        {kEmail,
         L"STATIC",
         Wide(about::kEmailLabelPrefix) + Wide(about::kEmailAddress),
         SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
         {600, 1320, 2625, 225},
         Look::Link},
        {kWeb,
         L"STATIC",
         Wide(about::kWebLabelPrefix) + Wide(about::kWebAddress),
         SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
         {960, 1680, 2115, 225},
         Look::Link},
        {kLicence,
         L"STATIC",
         Wide(about::kLicenceLine),
         SS_CENTER | SS_NOPREFIX,
         {600, 2040, 2775, 255},
         Look::Licence},
    };
    for (const AboutItem& item : items) {
        const HWND control = CreateWindowExW(
            0, item.windowClass, item.caption.c_str(), WS_CHILD | WS_VISIBLE | item.style, 0, 0, 0,
            0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
            GetModuleHandleW(nullptr), nullptr);
        placed_.push_back({control, item.box, item.look});
    }
    CreatePictures();
    tips_ = ToolTips(window_);
    for (const auto& [id, tip] :
         {std::pair{kEmail, Wide(about::kEmailTip)}, std::pair{kWeb, Wide(about::kWebTip)},
          std::pair{kDonation, Wide(about::kDonationTip)},
          std::pair{kSysInfo, std::wstring(L"Informations système")}}) {
        if (const HWND control = GetDlgItem(window_, id)) tips_.Add(control, tip);
    }
    LayOut(GetDpiForWindow(window_));
}

// The program's icon stretched to its box, and the donation picture, when the program carries
// them.
void WindowsAboutDialog::CreatePictures() {
    const HINSTANCE program = GetModuleHandleW(nullptr);
    logo_.Reset(static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(VELNIX_ICON_PROGRAM),
                                              IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    if (logo_.Get() != nullptr) {
        const HWND logo = CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, 0, 0, 0, 0,
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLogo)), program, nullptr);
        SendMessageW(logo, STM_SETICON, reinterpret_cast<WPARAM>(logo_.Get()), 0);
        placed_.push_back({logo, {120, 240, 720, 720}, Look::Picture});
    }
    donation_.Reset(LoadImageW(program, MAKEINTRESOURCEW(VELNIX_BITMAP_DONATION), IMAGE_BITMAP, 0,
                               0, LR_DEFAULTCOLOR));
    if (donation_.Get() != nullptr) {
        const HWND donation = CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDonation)), program, nullptr);
        SendMessageW(donation, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(donation_.Get()));
        placed_.push_back({donation, {1320, 2520, 1500, 660}, Look::Picture});
    }
}

// Sizes the dialog and places its controls at `dpi`, in the fonts of that DPI.
void WindowsAboutDialog::LayOut(UINT dpi) {
    const RECT client = PixelRect(kClient, dpi);
    SizeClientArea(window_, {client.right, client.bottom}, dpi);
    UniqueGdiObject font(DialogFont(dpi, 825));
    UniqueGdiObject titleFont(DialogFont(dpi, 975, true));
    UniqueGdiObject buttonFont(DialogFont(dpi, 825, true));
    for (const Placed& placed : placed_) {
        const RECT box = PixelRect(placed.box, dpi);
        SetWindowPos(placed.control, nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (placed.look == Look::Picture) continue;
        HGDIOBJ chosen = font.Get();
        if (placed.look == Look::Title || placed.look == Look::Licence) chosen = titleFont.Get();
        if (placed.look == Look::BoldButton) chosen = buttonFont.Get();
        if (placed.look == Look::Button) chosen = GetStockObject(DEFAULT_GUI_FONT);
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
        if (placed.look == Look::Link) FitAboutCentre(placed.control, box, chosen);
    }
    // The old fonts go once no control uses them.
    font_ = std::move(font);
    titleFont_ = std::move(titleFont);
    buttonFont_ = std::move(buttonFont);
    tips_.SetFont(static_cast<HFONT>(font_.Get()));
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK WindowsAboutDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* dialog = reinterpret_cast<WindowsAboutDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return dialog->Handle(message, wParam, lParam);
}

LRESULT WindowsAboutDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kOk:
                    logic_.cmdOK_Click();
                    return 0;
                case IDCANCEL:
                    Close();
                    return 0;
                case kDetails:
                    logic_.Command1_Click();
                    return 0;
                case kSysInfo:
                    logic_.cmdSysInfo_Click();
                    return 0;
                case kEmail:
                    if (HIWORD(wParam) == STN_CLICKED) logic_.lblDisclaimer_Click();
                    return 0;
                case kWeb:
                    if (HIWORD(wParam) == STN_CLICKED) logic_.Label3_Click();
                    return 0;
                case kDonation:
                    if (HIWORD(wParam) == STN_CLICKED) logic_.Image2_Click();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_SETCURSOR: {
            const auto over = reinterpret_cast<HWND>(wParam);
            const int id = GetDlgCtrlID(over);
            if (id == kEmail || id == kWeb || id == kDonation) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ColourOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        }
        case WM_PAINT: {
            // The two rules under the author's line.
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window_, &paint);
            const UINT dpi = GetDpiForWindow(window_);
            UniqueGdiObject white(
                CreatePen(PS_SOLID, TwipsToPixelsAt(30, dpi), RGB(255, 255, 255)));
            UniqueGdiObject grey(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
            const HGDIOBJ old = SelectObject(dc, white.Get());
            MoveToEx(dc, 0, TwipsToPixelsAt(1200, dpi), nullptr);
            LineTo(dc, TwipsToPixelsAt(5549, dpi), TwipsToPixelsAt(1200, dpi));
            SelectObject(dc, grey.Get());
            MoveToEx(dc, 0, TwipsToPixelsAt(1217, dpi), nullptr);
            LineTo(dc, TwipsToPixelsAt(5564, dpi), TwipsToPixelsAt(1217, dpi));
            SelectObject(dc, old);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_DPICHANGED:
            MoveToSuggestedPlace(window_, lParam);
            LayOut(HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void WindowsAboutDialog::SetCaption(const std::string& text) {
    SetWindowTextW(window_, Wide(text).c_str());
}

void WindowsAboutDialog::SetLblTitle(const std::string& text) {
    SetWindowTextW(GetDlgItem(window_, kTitle), Wide(text).c_str());
}

void WindowsAboutDialog::SetLblVersion(const std::string& text) {
    SetWindowTextW(GetDlgItem(window_, kVersion), Wide(text).c_str());
}

void WindowsAboutDialog::Close() { closed_ = true; }

}  // namespace velnix::windows_platform
