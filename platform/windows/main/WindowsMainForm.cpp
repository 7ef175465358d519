#include "platform/windows/main/WindowsMainForm.h"

#include <commctrl.h>

#include <cwchar>
#include <exception>

#include "common/Errors.h"
#include "platform/windows/main/ResourceIds.h"
#include "platform/windows/main/WindowClass.h"
#include "platform/windows/main/WindowsPicture.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {
namespace {

constexpr wchar_t kClassName[] = L"VelnixMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kSurvConn = 1;
constexpr UINT kTickMs = 1000;
constexpr UINT kFormResize = WM_APP + 2;  // the minimising is over
constexpr int kLogoTwips = 720;
constexpr int kFrameTitleIndentTwips = 120;

int openWindows = 0;
bool tickRunning = false;  // one monitor tick at a time on the thread

// The font the window was designed with, 8.25 points at `dpi`.
HFONT DesignFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, static_cast<int>(dpi), 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Comic Sans MS");
    return CreateFontIndirectW(&font);
}

std::string UserDecimalSeparator() {
    wchar_t separator[8]{};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ",";
    return Utf8FromWideReplacing(separator);
}

}  // namespace

std::shared_ptr<TenalineFrm> CreateWindowsTenalineFrm(const WindowsFrontEnd& frontEnd) {
    return WindowsMainForm::Create(frontEnd).Logic();
}

WindowsMainForm::WindowsMainForm(const WindowsFrontEnd& frontEnd)
    : frontEnd_(frontEnd),
      menu_(logic_),
      icon_(std::make_shared<WindowsPicture>(VELNIX_ICON_PROGRAM, 16)),
      bigIcon_(std::make_shared<WindowsPicture>(VELNIX_ICON_PROGRAM, 32)) {}

// The logic goes first, while everything it works on is still there.
WindowsMainForm::~WindowsMainForm() { logic_.reset(); }

WindowsMainForm& WindowsMainForm::Create(const WindowsFrontEnd& frontEnd) {
    RegisterBlackWindowClass(
        kClassName, &Procedure,
        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(VELNIX_ICON_PROGRAM)));
    std::unique_ptr<WindowsMainForm> form(new WindowsMainForm(frontEnd));
    const HWND window =
        CreateWindowExW(0, kClassName, L"Velnix", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                        nullptr, nullptr, GetModuleHandleW(nullptr), form.get());
    if (!window) throw VelnixError("impossible de créer la fenêtre principale");
    form->ownedByWindow_ = true;
    ++openWindows;
    WindowsMainForm& made = *form.release();
    made.Build();
    return made;
}

void WindowsMainForm::Build() {
    dpi_ = GetDpiForWindow(window_);
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconOf(icon_)));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconOf(bigIcon_)));
    tips_ = ToolTips(window_);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec& spec : MainLayout()) {
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id));
        HWND child = nullptr;
        switch (spec.kind) {
            case ControlKind::Picture:
                child = CreateWindowExW(
                    0, L"STATIC", L"",
                    WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY, 0, 0, 0, 0,
                    window_, id, instance, nullptr);
                break;
            case ControlKind::Label:
                child = CreateWindowExW(
                    0, L"STATIC", spec.caption,
                    WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY | spec.alignment, 0, 0, 0, 0,
                    window_, id, instance, nullptr);
                break;
            case ControlKind::Frame:
                continue;  // drawn by the window itself
            case ControlKind::Canvas: {
                auto canvas = std::make_unique<WindowsCanvas>(window_, spec.id, spec.colour);
                (picGraphD_ ? picGraphU_ : picGraphD_) = std::move(canvas);
                continue;
            }
            case ControlKind::Button:
                child = CreateWindowExW(0, L"BUTTON", spec.caption,
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                        0, window_, id, instance, nullptr);
                break;
        }
        if (!child) throw VelnixError("impossible de créer un contrôle de la fenêtre principale");
        tips_.Add(child, spec.tip ? spec.tip : L"");
    }
    ApplyLayout();

    menu_.SetOwner(window_);
    tray_.SetOwner(window_);
    SetTimer(window_, kSurvConn, kTickMs, nullptr);
    logic_ = std::make_shared<TenalineFrm>(TenalineFrmParts{
        *this, menu_, tray_, images_, *picGraphD_, *picGraphU_, frontEnd_.application,
        frontEnd_.messageBox, frontEnd_.dialogs, frontEnd_.settings, UserDecimalSeparator()});
}

// Sizes the window and places every control at the window's DPI, in the font of that DPI.
void WindowsMainForm::ApplyLayout() {
    RECT frame = PixelRect(kMainClient, dpi_);
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    UniqueGdiObject font(DesignFont(dpi_));
    logo_ = std::make_shared<WindowsPicture>(VELNIX_ICON_LOGO, TwipsToPixelsAt(kLogoTwips, dpi_));
    for (const ControlSpec& spec : MainLayout()) {
        if (spec.kind == ControlKind::Frame) continue;
        const HWND child = Child(spec.id);
        const RECT box = PixelRect(spec.box, dpi_);
        SetWindowPos(child, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
        if (spec.kind == ControlKind::Label) FitToText(spec);
    }
    font_ = std::move(font);  // the old font goes once no control uses it
    SendMessageW(Child(MainLayout().front().id), STM_SETICON,
                 reinterpret_cast<WPARAM>(IconOf(logo_)), 0);
    tips_.SetFont(static_cast<HFONT>(font_.Get()));
    InvalidateRect(window_, nullptr, TRUE);
}

// The frames: an etched edge through the middle of their title, the title in their colour on
// the window's black. Drawn here rather than by group boxes, whose title a theme would colour.
void WindowsMainForm::Paint() {
    PAINTSTRUCT paint{};
    const HDC context = BeginPaint(window_, &paint);
    const HGDIOBJ previous = SelectObject(context, font_.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SetBkMode(context, OPAQUE);
    SetBkColor(context, RGB(0, 0, 0));
    for (const ControlSpec& spec : MainLayout()) {
        if (spec.kind != ControlKind::Frame) continue;
        const RECT box = PixelRect(spec.box, dpi_);
        RECT edge{box.left, box.top + metrics.tmHeight / 2, box.right, box.bottom};
        DrawEdge(context, &edge, EDGE_ETCHED, BF_RECT);
        SetTextColor(context, spec.colour);
        const int indent = TwipsToPixelsAt(kFrameTitleIndentTwips, dpi_);
        TextOutW(context, box.left + indent, box.top, spec.caption,
                 static_cast<int>(wcslen(spec.caption)));
    }
    SelectObject(context, previous);
    EndPaint(window_, &paint);
}

// A label that sizes to its text keeps its designed left edge, or its designed centre.
void WindowsMainForm::FitToText(const ControlSpec& spec) {
    if (spec.sizing == Sizing::Fixed) return;
    const HWND label = Child(spec.id);
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    const HDC context = GetDC(label);
    const HGDIOBJ previous = SelectObject(context, font_.Get());
    SIZE size{};
    GetTextExtentPoint32W(context, text.c_str(), length, &size);
    SelectObject(context, previous);
    ReleaseDC(label, context);
    const RECT designed = PixelRect(spec.box, dpi_);
    const int left = spec.sizing == Sizing::FromCentre
                         ? (designed.left + designed.right - size.cx) / 2
                         : designed.left;
    SetWindowPos(label, nullptr, left, designed.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

const ControlSpec& WindowsMainForm::SpecOf(Control control) const {
    for (const ControlSpec& spec : MainLayout()) {
        if (spec.control == control) return spec;
    }
    throw OutOfRangeError("contrôle inconnu");
}

void WindowsMainForm::SetCaption(Control control, std::string_view caption) {
    const ControlSpec& spec = SpecOf(control);
    if (spec.kind == ControlKind::Picture) throw OutOfRangeError("ce contrôle n'a pas de légende");
    const HWND child = Child(spec.id);
    SetWindowTextW(child, WideFromUtf8(caption).value_or(L"").c_str());
    if (spec.kind != ControlKind::Label) return;
    // A transparent label does not erase its old text: the window repaints what lies beneath.
    RepaintUnder(child);
    FitToText(spec);
    RepaintUnder(child);
}

void WindowsMainForm::RepaintUnder(HWND child) const {
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowsMainForm::SetVisible(Control control, bool visible) {
    ShowWindow(Child(SpecOf(control).id), visible ? SW_SHOW : SW_HIDE);
}

void WindowsMainForm::SetToolTip(Control control, std::string_view tip) {
    tips_.SetText(Child(SpecOf(control).id), WideFromUtf8(tip).value_or(L""));
}

void WindowsMainForm::SetPicture(Control control, PictureRef picture) {
    const ControlSpec& spec = SpecOf(control);
    if (spec.kind != ControlKind::Picture) {
        throw OutOfRangeError("ce contrôle ne montre pas d'image");
    }
    SendMessageW(Child(spec.id), STM_SETICON, reinterpret_cast<WPARAM>(IconOf(picture)), 0);
    image2_ = std::move(picture);  // kept while shown
}

// A minimised window (hidden into the notification area, say) answers with the place it comes
// back to.
RECT WindowsMainForm::OuterRect() const {
    RECT frame{};
    if (IsIconic(window_)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window_, &placement);
        return placement.rcNormalPosition;
    }
    GetWindowRect(window_, &frame);
    return frame;
}

int WindowsMainForm::Left() const { return PixelsToTwipsAt(OuterRect().left, dpi_); }

int WindowsMainForm::Top() const { return PixelsToTwipsAt(OuterRect().top, dpi_); }

int WindowsMainForm::Height() const {
    const RECT frame = OuterRect();
    return PixelsToTwipsAt(frame.bottom - frame.top, dpi_);
}

void WindowsMainForm::Move(int left, int top) {
    SetWindowPos(window_, nullptr, TwipsToPixelsAt(left, dpi_), TwipsToPixelsAt(top, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The notification-area icon appears with the window's first showing.
void WindowsMainForm::Show() {
    if (!trayWanted_) {
        trayWanted_ = true;
        tray_.Add();
    }
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
}

void WindowsMainForm::Hide() { ShowWindow(window_, SW_HIDE); }

bool WindowsMainForm::IsMinimised() const { return IsIconic(window_) != FALSE; }

// A hidden window stays hidden: Show() brings it back in its normal state.
void WindowsMainForm::SetNormalState() {
    if (IsWindowVisible(window_) && IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
}

LRESULT WindowsMainForm::ColourStatic(HDC context, HWND control) const {
    const ControlSpec& spec = windows_platform::SpecOf(GetDlgCtrlID(control));
    SetTextColor(context, spec.colour);
    SetBkMode(context, TRANSPARENT);
    // Labels let what lies beneath show through (the logo under "Connexion :").
    return reinterpret_cast<LRESULT>(
        GetStockObject(spec.kind == ControlKind::Label ? NULL_BRUSH : BLACK_BRUSH));
}

// Left click (or its keyboard form) and the context menu of the icon.
void WindowsMainForm::OnTrayEvent(UINT event) {
    if (event == NIN_SELECT || event == NIN_KEYSELECT) {
        logic_->TrayToggleEvent(TrayIcon::kLeftButton);
    } else if (event == WM_CONTEXTMENU) {
        logic_->TrayMenuEvent(TrayIcon::kRightButton);
    }
}

// The window and its icon disappear and its timer stops, then the window goes with its form.
void WindowsMainForm::Close() {
    KillTimer(window_, kSurvConn);
    tray_.Remove();
    logic_->FormUnload();
    DestroyWindow(window_);
}

LRESULT WindowsMainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) != BN_CLICKED || id < MainLayout().front().id) break;
            const ControlSpec& spec = windows_platform::SpecOf(id);
            if (spec.command) (*logic_.*spec.command)();
            return 0;
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CTLCOLORSTATIC:
            return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            // An event sent to a COM client's sink waits for its answer while COM dispatches
            // this thread's messages: a tick due meanwhile is skipped, never nested.
            if (wParam == kSurvConn && !tickRunning) {
                tickRunning = true;
                logic_->SurvConnTimer();
                tickRunning = false;
            }
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) PostMessageW(window_, kFormResize, 0, 0);
            return 0;
        case kFormResize:
            logic_->FormResize();
            return 0;
        case WM_CONTEXTMENU:
            logic_->TrayMenuEvent(TrayIcon::kRightButton);
            return 0;
        case WindowsTrayIcon::kMessage:
            OnTrayEvent(LOWORD(lParam));
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyLayout();
            return 0;
        }
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            tray_.Remove();
            return 0;
        default:
            if (message == taskbarCreated && trayWanted_) tray_.Add();
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The window is bound to its form from WM_NCCREATE to WM_NCDESTROY. An error in a handler ends
// that handler there; it never crosses the system's frames.
LRESULT CALLBACK WindowsMainForm::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<WindowsMainForm*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<WindowsMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (form->ownedByWindow_) {
            delete form;
            if (--openWindows == 0) PostQuitMessage(0);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Until its logic exists, the window is being built.
    if (!form->logic_) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return form->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace velnix::windows_platform
