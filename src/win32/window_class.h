#pragma once
// What the program's windows share: a class registered once per process, the procedure that
// hands each message to the object behind the window, and a place centred on the screen.

#include <windows.h>

namespace haloquill::win32 {

struct WindowClassSpec {
    const char* name;
    WNDPROC procedure;
    HINSTANCE instance;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    UINT style = 0;
};

// Registers the class with the arrow pointer; true when it is available (also when it was
// registered before).
bool RegisterWindowClass(const WindowClassSpec& spec);

// The top-left corner that centres a window of this size on the screen.
POINT CentredOnScreen(int width, int height);

// Moves a window to the centre of the screen, keeping its size and stacking.
void CentreOnScreen(HWND window);

// The procedure of a class whose windows are created with their owning object as the creation
// parameter: from WM_NCCREATE on, every message goes to Owner::HandleMessage, and the object
// learns its window first through Owner::Attach.
template <typename Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* owner = static_cast<Owner*>(create->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->Attach(window);
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner ? owner->HandleMessage(window, message, wParam, lParam)
                 : ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace haloquill::win32
