#pragma once
// The base of the program's windows: the class and the procedure that hands each message to the
// object behind the window, the fonts and brushes for its DPI and contrast, the controls of its
// design and the program icon, and the messages every such window answers alike.

#include "design/control_ids.h"
#include "design/dpi_scaling.h"
#include "win32/control_set.h"
#include "win32/gdi_cache.h"
#include "win32/program_icons.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <optional>

namespace haloquill::win32 {

struct FrameSpec {
    const char* className;
    DWORD style;
    DWORD exStyle;
    HWND owner = nullptr;
};

class DesignWindow : Uncopyable {
  public:
    HWND Handle() const { return window_; }

  protected:
    DesignWindow(HINSTANCE instance, int dpi) : instance_(instance), gdi_(dpi), controls_(gdi_) {}
    virtual ~DesignWindow() { DestroyFrame(); }

    // Destroys the window, if it is still there, without calling back into the object: for the
    // object's own end, while what the window shows still exists.
    void DestroyFrame();

    // Registers the class and creates the window, hidden, at `place`, with this object behind
    // it; false when Windows refused either.
    [[nodiscard]] bool CreateFrame(const FrameSpec& spec, const RECT& place);
    // The window's own answer to `message`; none lets the system's default answer it. The
    // controls' look, colour changes and the DPI change are answered before.
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The client size of the design at `dpi`, when the window is to take it at a DPI change; none
    // leaves the window's size to its next showing.
    virtual std::optional<PixelSize> ClientSizeAt(int dpi) const = 0;
    // After a move to a monitor of `dpi`, once fonts, icons, the window and its controls are
    // made for it: what else the window draws for that DPI. Drawing is still paused.
    virtual void OnDpiChanged(int dpi) = 0;

    HWND Control(ControlId id) const { return controls_.Control(id); }

    HINSTANCE instance_;
    HWND window_ = nullptr;
    GdiCache gdi_;
    ControlSet controls_;
    ProgramIcons icons_;

  private:
    // Draws the window anew for `dpi`, at `suggested` (the place Windows proposes) unless it is
    // minimised; what its controls hold and the focus stay.
    void ChangeDpi(int dpi, const RECT& suggested);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace haloquill::win32
