#include "platform/windows/dialogs/WindowsConfigDialog.h"

#include <utility>

#include "platform/windows/dialogs/DialogMessages.h"
#include "platform/windows/main/MainLayout.h"
#include "platform/windows/main/ResourceIds.h"
#include "platform/windows/main/WindowClass.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

constexpr wchar_t kClassName[] = L"VelnixConfiguration";
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr TwipsBox kClient{0, 0, 3720, 2355};

struct ConfigItem {
    int id;  // 0 for the labels
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    TwipsBox box;
};

// In tab order: the list, the login, the password, the redial box, save, close, the start box.
constexpr ConfigItem kItems[] = {
    {0, L"STATIC", L"Connexion :", SS_RIGHT, {120, 0, 1335, 255}},
    {kConfigConnection,
     L"COMBOBOX",
     L"",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     {1560, 0, 2055, 345}},
    {0, L"STATIC", L"Login :", SS_RIGHT, {120, 360, 1335, 255}},
    {kConfigLogin,
     L"EDIT",
     L"",
     ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
     {1560, 360, 2055, 285}},
    {0, L"STATIC", L"Mot de passe :", SS_RIGHT, {120, 600, 1335, 255}},
    {kConfigPassword,
     L"EDIT",
     L"",
     ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP | WS_GROUP,
     {1560, 600, 2055, 285}},
    {kConfigReconnect,
     L"BUTTON",
     L"Reconnecter en cas de déconnexion.",
     BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
     {120, 960, 3495, 255}},
    {kConfigSave,
     L"BUTTON",
     L"Enregistrer",
     BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
     {120, 1800, 2295, 375}},
    {kConfigClose,
     L"BUTTON",
     L"Fermer",
     BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
     {2520, 1800, 1095, 375}},
    {kConfigStartOnWin,
     L"BUTTON",
     L"Lancer au démarrage de Windows",
     BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
     {120, 1320, 2895, 255}},
};

// The drop-down list's box is its closed height; its list opens below, eight lines deep.
constexpr int kListLines = 8;

std::wstring Wide(const std::string& text) { return WideFromUtf8(text).value_or(std::wstring()); }

std::string TextOf(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWideReplacing(text);
}

}  // namespace

WindowsConfigDialog::WindowsConfigDialog(modRegistry& registry, MsgBox& messages)
    : logic_(*this, registry, messages) {}

HWND WindowsConfigDialog::Open(std::shared_ptr<InternetTenaline> lIAC, POINT topLeftPixels,
                               modRegistry& registry, MsgBox& messages) {
    RegisterBlackWindowClass(kClassName, DefWindowProcW);
    auto* dialog = new WindowsConfigDialog(registry, messages);
    const HWND window = CreateWindowExW(
        WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, kClassName, L"Auto-connexion - Configuration",
        WS_POPUP | WS_CAPTION | WS_SYSMENU, topLeftPixels.x, topLeftPixels.y, 0, 0, nullptr,
        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        delete dialog;
        return nullptr;
    }
    dialog->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    dialog->CreateControls();
    AddModelessDialog(window);
    dialog->logic_.BindTo(std::move(lIAC));
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void WindowsConfigDialog::CreateControls() {
    for (const ConfigItem& item : kItems) {
        controls_.push_back(CreateWindowExW(
            0, item.windowClass, item.caption, WS_CHILD | WS_VISIBLE | item.style, 0, 0, 0, 0,
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id == 0 ? -1 : item.id)),
            GetModuleHandleW(nullptr), nullptr));
    }
    // The buttons show their pictures when the program carries them; their captions stay their
    // names.
    for (const auto& [id, picture] : {std::pair{kConfigSave, VELNIX_BITMAP_SAVE},
                                      std::pair{kConfigClose, VELNIX_BITMAP_CLOSE}}) {
        const auto bitmap =
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(picture),
                                            IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (bitmap == nullptr) continue;
        pictures_.emplace_back(bitmap);
        const HWND button = Item(id);
        SetWindowLongPtrW(button, GWL_STYLE, GetWindowLongPtrW(button, GWL_STYLE) | BS_BITMAP);
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    LayOut(GetDpiForWindow(window_));
}

// Sizes the dialog and places its controls at `dpi`, in the font of that DPI.
void WindowsConfigDialog::LayOut(UINT dpi) {
    const RECT client = PixelRect(kClient, dpi);
    SizeClientArea(window_, {client.right, client.bottom}, dpi);
    UniqueGdiObject font(DialogFont(dpi, 825));
    for (size_t i = 0; i < controls_.size(); ++i) {
        const RECT box = PixelRect(kItems[i].box, dpi);
        int height = box.bottom - box.top;
        if (kItems[i].id == kConfigConnection) height *= kListLines + 1;
        SetWindowPos(controls_[i], nullptr, box.left, box.top, box.right - box.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    font_ = std::move(font);  // the old font goes once no control uses it
    // The closed list keeps the height it was designed with.
    const RECT list = PixelRect(kItems[1].box, dpi);
    const auto closed = static_cast<LPARAM>(list.bottom - list.top) -
                        2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi) - 2;
    SendMessageW(Item(kConfigConnection), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), closed);
}

LRESULT CALLBACK WindowsConfigDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* dialog = reinterpret_cast<WindowsConfigDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveModelessDialog(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete dialog;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return dialog->Handle(message, wParam, lParam);
}

LRESULT WindowsConfigDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = GetFocus();
                return 0;
            }
            SetFocus(lastFocus_ != nullptr && IsChild(window_, lastFocus_)
                         ? lastFocus_
                         : Item(kConfigConnection));
            logic_.Form_Activate();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kConfigSave:
                    logic_.CmdSave_Click();
                    return 0;
                case kConfigClose:
                    logic_.Command1_Click();
                    return 0;
                case kConfigStartOnWin:
                    logic_.chkStartOnWin_Click();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        }
        case WM_CLOSE:
            logic_.Command1_Click();
            return 0;
        case kDestroyLater:
            DestroyWindow(window_);
            return 0;
        case WM_DPICHANGED:
            MoveToSuggestedPlace(window_, lParam);
            LayOut(HIWORD(wParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void WindowsConfigDialog::CboConnection_AddItem(const std::string& item) {
    SendMessageW(Item(kConfigConnection), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(item).c_str()));
}

int WindowsConfigDialog::CboConnection_ListCount() {
    return static_cast<int>(SendMessageW(Item(kConfigConnection), CB_GETCOUNT, 0, 0));
}

std::string WindowsConfigDialog::CboConnection_List(int index) {
    const HWND list = Item(kConfigConnection);
    const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Utf8FromWideReplacing(text);
}

int WindowsConfigDialog::CboConnection_ListIndex() {
    return static_cast<int>(SendMessageW(Item(kConfigConnection), CB_GETCURSEL, 0, 0));
}

void WindowsConfigDialog::CboConnection_SetListIndex(int index) {
    SendMessageW(Item(kConfigConnection), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool WindowsConfigDialog::ChkReconnect() {
    return SendMessageW(Item(kConfigReconnect), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowsConfigDialog::SetChkReconnect(bool ticked) {
    SendMessageW(Item(kConfigReconnect), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string WindowsConfigDialog::TxtLogin() { return TextOf(Item(kConfigLogin)); }

void WindowsConfigDialog::SetTxtLogin(const std::string& text) {
    SetWindowTextW(Item(kConfigLogin), Wide(text).c_str());
}

std::string WindowsConfigDialog::TxtPasword() { return TextOf(Item(kConfigPassword)); }

void WindowsConfigDialog::SetTxtPasword(const std::string& text) {
    SetWindowTextW(Item(kConfigPassword), Wide(text).c_str());
}

bool WindowsConfigDialog::ChkStartOnWin() {
    return SendMessageW(Item(kConfigStartOnWin), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowsConfigDialog::SetChkStartOnWin(bool ticked) {
    SendMessageW(Item(kConfigStartOnWin), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The logic may still be running when it closes the dialog: the window goes once it returns.
void WindowsConfigDialog::Close() {
    ShowWindow(window_, SW_HIDE);
    PostMessageW(window_, kDestroyLater, 0, 0);
}

}  // namespace velnix::windows_platform
