#include "win32/menus.h"

#include "win32/wide_text.h"

#include <string>

namespace haloquill::win32 {

namespace {

// Appends the entries under `parent` to `menu`; a sub-menu then belongs to `menu`.
void AppendEntries(HMENU menu, ControlId parent) {
    for (const MenuEntry& entry : MenuEntriesUnder(parent)) {
        const std::wstring caption = Wide(entry.caption);
        switch (entry.kind) {
        case MenuEntryKind::Separator:
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuEntryKind::SubMenu: {
            UniqueMenu items(::CreatePopupMenu());
            AppendEntries(items.Get(), entry.id);
            if (::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(items.Get()),
                              caption.c_str())) {
                items.Release();
            }
            break;
        }
        case MenuEntryKind::Command:
            ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.id), caption.c_str());
            break;
        }
    }
}

} // namespace

UniqueMenu BuildMenuBar() {
    UniqueMenu bar(::CreateMenu());
    AppendEntries(bar.Get(), kNoControl);
    return bar;
}

void TrackTrayMenu(HWND window) {
    UniqueMenu menu(::CreatePopupMenu());
    AppendEntries(menu.Get(), kTrayMenu);
    ::SetMenuDefaultItem(menu.Get(), kTrayMenuDefault, FALSE);
    POINT at{};
    ::GetCursorPos(&at);
    // Without this the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(window);
    ::TrackPopupMenu(menu.Get(), 0, at.x, at.y, 0, window, nullptr);
    ::PostMessageA(window, WM_NULL, 0, 0);
}

} // namespace haloquill::win32
