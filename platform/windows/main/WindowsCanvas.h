#pragma once

#include <windows.h>

#include "platform/windows/system/Handles.h"
#include "ui/main/Canvas.h"

namespace velnix::windows_platform {

// Where a point of the user scale (0 to 64 across, 0 to `extent` downwards) falls in an inner
// area of `inner` pixels: its first pixel at 0, its last at the far edge.
POINT GraphPoint(float x, float y, float extent, SIZE inner);

// A graph: a sunken black child window that keeps what is drawn in a back buffer of its inner
// area, so that painting only copies the buffer (no flicker, nothing redrawn).
class WindowsCanvas : public Canvas {
  public:
    WindowsCanvas(HWND parent, int id, COLORREF pen);
    ~WindowsCanvas() override;
    WindowsCanvas(const WindowsCanvas&) = delete;
    WindowsCanvas& operator=(const WindowsCanvas&) = delete;

    void Clear() override;
    void SetVerticalExtent(float extent) override;
    float VerticalExtent() const override { return extent_; }
    void Line(float x1, float y1, float x2, float y2) override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeBuffer();
    void ReleaseBuffer();
    void Paint();

    HWND window_ = nullptr;
    UniqueGdiObject pen_;
    UniqueMemoryDc buffer_;
    UniqueGdiObject bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    SIZE inner_{};
    float extent_ = 100.0F;
};

}  // namespace velnix::windows_platform
