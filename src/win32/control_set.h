#pragma once
// The controls of one window's design: created from its layout under the window, the frames that
// hold pages and groups given their look, and each control found again by its id.

#include "design/main_window_layout.h"
#include "win32/frame_window.h"
#include "win32/gdi_cache.h"

#include <windows.h>

#include <map>
#include <span>
#include <vector>

namespace haloquill::win32 {

class ControlSet {
  public:
    ControlSet() = default;
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    // Creates every control of `layout` under `window`, each inside the frame that holds it, at
    // its place for the cache's DPI; the layout's rectangles are drawn by their frames. The set
    // must outlive the controls, whose frames keep their look here. False, with Windows' error
    // left for GetLastError, as soon as a control cannot be made: a window is never shown with
    // a control missing.
    [[nodiscard]] bool Create(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                              GdiCache& gdi);
    // Creates more controls of the same window, as Create does, beside those made before; their
    // containers are made before them or by an earlier call.
    [[nodiscard]] bool Add(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                           GdiCache& gdi);
    // Moves and sizes every control for the cache's DPI and gives it the cache's font, as Create
    // would have at that DPI; the controls themselves, their state and the focus stay.
    void ApplyDpi(GdiCache& gdi);
    // Closes any open drop-down list.
    void CloseLists();
    // Colours the frames again for the cache's contrast mode; they show it when next painted.
    void ColourFrames(GdiCache& gdi);
    // When the scheme's colours change or high contrast is switched, takes the new mode and
    // draws `window` again; other messages are left alone.
    void FollowColourChange(HWND window, UINT message, WPARAM wParam, GdiCache& gdi);
    // The control with `id`, or null.
    HWND Control(ControlId id) const;

  private:
    // Measures the frames draw with: their caption font and rectangles, at the cache's DPI.
    void StyleFrames(GdiCache& gdi);

    std::vector<ControlSpec> specs_; // of every control and rectangle made, in creation order
    std::map<ControlId, HWND> controls_;
    std::map<ControlId, FrameStyle> frameStyles_;
};

} // namespace haloquill::win32
