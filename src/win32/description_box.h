#pragma once
// The description box is read-only and lets nothing be copied or cut out of it; the clipboard
// itself is left alone.

#include <windows.h>

namespace haloquill::win32 {

void ProtectDescriptionBox(HWND edit);

// True for the messages by which an edit control copies or cuts its text.
bool IsCopyOrCutRequest(UINT message, WPARAM wParam, bool controlDown, bool shiftDown);

} // namespace haloquill::win32
