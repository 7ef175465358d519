#include "platform/windows/main/WindowsCanvas.h"

#include <cmath>

#include "common/Errors.h"

namespace velnix::windows_platform {
namespace {

constexpr wchar_t kClassName[] = L"VelnixGraph";
constexpr float kHorizontalExtent = 64.0F;

void RegisterGraphClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window once it is bound
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
}

}  // namespace

POINT GraphPoint(float x, float y, float extent, SIZE inner) {
    return {static_cast<LONG>(std::lround(double(x) * (inner.cx - 1) / kHorizontalExtent)),
            static_cast<LONG>(std::lround(double(y) * (inner.cy - 1) / extent))};
}

WindowsCanvas::WindowsCanvas(HWND parent, int id, COLORREF pen)
    : pen_(CreatePen(PS_SOLID, 1, pen)) {
    RegisterGraphClass();
    window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw VelnixError("impossible de créer un graphique");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

WindowsCanvas::~WindowsCanvas() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ReleaseBuffer();
}

// The buffer has the inner area's size; it starts blank, as after Clear.
void WindowsCanvas::MakeBuffer() {
    ReleaseBuffer();
    RECT client{};
    GetClientRect(window_, &client);
    inner_ = {client.right, client.bottom};
    if (inner_.cx <= 0 || inner_.cy <= 0) return;
    const HDC screen = GetDC(window_);
    buffer_.Reset(CreateCompatibleDC(screen));
    bitmap_.Reset(CreateCompatibleBitmap(screen, inner_.cx, inner_.cy));
    ReleaseDC(window_, screen);
    previousBitmap_ = SelectObject(buffer_.Get(), bitmap_.Get());
    Clear();
}

// The bitmap is selected out before either goes.
void WindowsCanvas::ReleaseBuffer() {
    if (buffer_.Get() && previousBitmap_) SelectObject(buffer_.Get(), previousBitmap_);
    previousBitmap_ = nullptr;
    buffer_.Reset();
    bitmap_.Reset();
}

void WindowsCanvas::Clear() {
    if (buffer_.Get()) {
        const RECT all{0, 0, inner_.cx, inner_.cy};
        FillRect(buffer_.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void WindowsCanvas::SetVerticalExtent(float extent) {
    if (extent == 0.0F || !std::isfinite(extent)) {
        throw VelnixError("Valeur de propriété non valide");
    }
    extent_ = extent;
}

// The buffer's edges clip the line; both end points are drawn.
void WindowsCanvas::Line(float x1, float y1, float x2, float y2) {
    if (!buffer_.Get()) return;
    const POINT from = GraphPoint(x1, y1, extent_, inner_);
    const POINT to = GraphPoint(x2, y2, extent_, inner_);
    const HGDIOBJ previous = SelectObject(buffer_.Get(), pen_.Get());
    MoveToEx(buffer_.Get(), from.x, from.y, nullptr);
    LineTo(buffer_.Get(), to.x, to.y);
    LineTo(buffer_.Get(), to.x + 1, to.y);
    SelectObject(buffer_.Get(), previous);
    InvalidateRect(window_, nullptr, FALSE);
}

void WindowsCanvas::Paint() {
    PAINTSTRUCT paint{};
    const HDC target = BeginPaint(window_, &paint);
    if (buffer_.Get()) {
        BitBlt(target, 0, 0, inner_.cx, inner_.cy, buffer_.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK WindowsCanvas::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* canvas = reinterpret_cast<WindowsCanvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            canvas->Paint();
            return 0;
        case WM_SIZE:
            canvas->MakeBuffer();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace velnix::windows_platform
