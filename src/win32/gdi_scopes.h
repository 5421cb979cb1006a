#pragma once
// Device contexts and selections that end with their scope, so nothing drawn leaks a DC or
// leaves a foreign object selected.

#include "win32/unique_handle.h"

#include <windows.h>

namespace haloquill::win32 {

// A window's device context (the screen's for no window), released when it goes.
class WindowDc : Uncopyable {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ::ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the one it replaced is selected again when it goes.
class SelectedObject : Uncopyable {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A WM_PAINT's drawing: begun when made, ended when it goes.
class PaintSession : Uncopyable {
  public:
    explicit PaintSession(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintSession() { ::EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace haloquill::win32
