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

// WM_CTLCOLOR*: sets the control's colours on `dc` and gives the brush to fill it with.
HBRUSH ColourControl(HWND control, HDC dc, GdiCache& gdi);

// WM_DRAWITEM for the command buttons: face colour, raised or pressed edge, caption, focus.
void DrawCommandButton(const DRAWITEMSTRUCT& item, GdiCache& gdi);

// WM_MEASUREITEM and WM_DRAWITEM for the drop-down lists, drawn in the design's colours.
void MeasureListItem(MEASUREITEMSTRUCT& item, int dpi);
void DrawListItem(const DRAWITEMSTRUCT& item, GdiCache& gdi);

// Labels that size themselves to their text: width and height follow, the left edge stays.
void FitLabelToText(HWND label, GdiCache& gdi);

// WM_NEXTDLGCTL for a window that runs the dialog keys through IsDialogMessage: moves the
// focus to the given control, or to the next or previous one in tab order.
void MoveFocus(HWND window, WPARAM wParam, LPARAM lParam);

// WM_SETCURSOR: the hand pointer over a link label; true when it was set.
bool SetLinkCursor(HWND control);

} // namespace haloquill::win32
