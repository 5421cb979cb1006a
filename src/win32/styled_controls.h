#pragma once
// Creating the controls of a window design and giving them their look: fonts, colours, buttons
// drawn with their face colour, labels that fit their text, and the hand pointer over links.

#include "design/main_window_layout.h"
#include "win32/gdi_cache.h"

#include <windows.h>

#include <optional>
#include <string>

namespace haloquill::win32 {

// Creates one control of a design under `parent`, at its place for the cache's DPI.
HWND CreateStyledControl(HINSTANCE instance, HWND parent, const ControlSpec& spec,
                         const std::string& caption, GdiCache& gdi);

// The messages by which a window holding styled controls gives them their look: colours, drawn
// buttons and lists, the hand pointer over links and focus moves by the dialog keys. The answer
// when `message` was one of them.
std::optional<LRESULT> HandleStyledControlMessage(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam, GdiCache& gdi);

// Labels that size themselves to their text: width and height follow, the left edge stays. A
// control whose look does not ask for it is left as it is.
void FitLabelToText(HWND label, GdiCache& gdi);

} // namespace haloquill::win32
