#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "ui/main/FormControls.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::windows_platform {

// A rectangle of the main window's client area in twips: left, top, width, height.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

// The client area of the main window, in twips.
inline constexpr TwipsBox kMainClient{0, 0, 4215, 3120};

enum class ControlKind { Picture, Label, Frame, Canvas, Button };

// How a label follows its text: not at all, from its left edge, or about its centre.
enum class Sizing { Fixed, FromLeft, FromCentre };

// One control of the main window. Controls drawn inside a frame are its siblings, placed at the
// frame's offset plus their own, so that their messages reach the window itself.
struct ControlSpec {
    int id;  // the child window's identifier
    ControlKind kind;
    const wchar_t* caption;
    TwipsBox box;  // in the client area
    COLORREF colour;
    DWORD alignment;  // SS_LEFT, SS_RIGHT or SS_CENTER for labels
    Sizing sizing;
    std::optional<Control> control;  // what the window logic calls it
    const wchar_t* tip;
    void (TenalineFrm::*command)();  // buttons
};

std::span<const ControlSpec> MainLayout();
const ControlSpec& SpecOf(int id);

// Twips to pixels at `dpi` dots per inch, as the system scales dialog units.
RECT PixelRect(const TwipsBox& box, UINT dpi);
inline int TwipsToPixelsAt(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline int PixelsToTwipsAt(int pixels, UINT dpi) {
    return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

}  // namespace velnix::windows_platform
