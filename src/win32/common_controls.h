#pragma once
// The common controls (comctl32, version 6 through the manifest) and the visual-style library
// (uxtheme), loaded from system32 when the first control is made rather than imported: neither
// is a known DLL, so Windows would look for an imported one in the program's own folder first.

#include <windows.h>

#include <commctrl.h>

namespace haloquill::win32 {

// Loads comctl32 and uxtheme (once) and registers the standard control classes; false when
// comctl32 cannot be had, and the system's own classes then make the controls. Called before
// the first control is made.
bool LoadCommonControls();

// comctl32's window subclassing; false, with nothing done, when comctl32 is missing.
bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
bool RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
// Passes a message on from a subclass procedure.
LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws `control` in the classic look rather than the visual style.
void RemoveVisualStyle(HWND control);

} // namespace haloquill::win32
