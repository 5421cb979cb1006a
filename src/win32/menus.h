#pragma once
// Win32 menus built from the design's menu entries.

#include "design/main_menu.h"
#include "win32/unique_handle.h"

#include <windows.h>

namespace haloquill::win32 {

// The menu bar of the main window, with every sub-menu under it.
UniqueMenu BuildMenuBar();

// Opens the notification-area icon's menu at the pointer for `window`, which gets its command,
// and returns when it has closed.
void TrackTrayMenu(HWND window);

} // namespace haloquill::win32
