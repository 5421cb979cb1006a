#pragma once
// The controls of one window's design: created from its layout under the window, the frames that
// hold pages and groups given their look, and each control found again by its id.

#include "design/main_window_layout.h"
#include "win32/frame_window.h"
#include "win32/gdi_cache.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <map>
#include <span>
#include <vector>

namespace haloquill::win32 {

class ControlSet : Uncopyable {
  public:
    // The controls are made and drawn with `gdi`, the window's cache, whatever DPI it is for.
    explicit ControlSet(GdiCache& gdi) : gdi_(gdi), frameStyle_{&gdi, &specs_} {}

    // Creates every control of `layout` under `window`, each inside the frame that holds it, at
    // its place for the cache's DPI; the layout's rectangles are drawn by their frames. The set
    // and the cache must outlive the controls: the frames paint with them. False, with Windows'
    // error left for GetLastError, as soon as a control cannot be made: a window is never shown
    // with a control missing.
    [[nodiscard]] bool Create(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout);
    // Creates more controls of the same window, as Create does, beside those made before; their
    // containers are made before them or by an earlier call.
    [[nodiscard]] bool Add(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout);
    // Moves and sizes every control for the cache's DPI and gives it the cache's font, as Create
    // would have at that DPI; the controls themselves, their state, the first line a box of text
    // shows and the focus stay, and an open drop-down list closes.
    void ApplyDpi();
    // The control with `id`, or null.
    HWND Control(ControlId id) const;

  private:
    // Closes any open drop-down list.
    void CloseLists();
    GdiCache& gdi_;
    std::vector<ControlSpec> specs_; // of every control and rectangle made, in creation order
    std::map<ControlId, HWND> controls_;
    FrameStyle frameStyle_; // the cache the controls are drawn with, and `specs_`
};

} // namespace haloquill::win32
