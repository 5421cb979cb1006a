#pragma once
// The description box is read-only and lets nothing be copied or cut out of it; the clipboard
// itself is left alone.

#include <windows.h>

namespace haloquill::win32 {

void ProtectDescriptionBox(HWND edit);

} // namespace haloquill::win32
