#pragma once
// Creating the controls of a window design and giving them their look: fonts, colours, buttons
// drawn with their face colour, labels that fit their text, and the hand pointer over links.

#include "design/main_window_layout.h"
#include "win32/gdi_cache.h"

#include <windows.h>

#include <string>

namespace haloquill::win32 {

// Creates one control of a design under `parent`, at its place for the cache's DPI.
HWND CreateStyledControl(HINSTANCE instance, HWND parent, const ControlSpec& spec,
                         const std::string& caption, GdiCache& gdi);

// The messages by which a window holding styled controls gives them their look: colours, drawn
// buttons and lists, the hand pointer over links and focus moves by the dialog keys. True when
// `message` was one of them, with its answer in `result`.
bool HandleStyledControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                GdiCache& gdi, LRESULT& result);

// Labels that size themselves to their text: width and height follow, the left edge stays.
void FitLabelToText(HWND label, GdiCache& gdi);

} // namespace haloquill::win32
