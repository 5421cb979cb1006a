#include "win32/description_box.h"

#include "win32/common_controls.h"

namespace haloquill::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The characters that Ctrl+C and Ctrl+X type.
constexpr WPARAM kCtrlC = 0x03;
constexpr WPARAM kCtrlX = 0x18;

bool KeyDown(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

// True for the messages by which an edit control copies or cuts its text.
bool IsCopyOrCutRequest(UINT message, WPARAM wParam, bool controlDown, bool shiftDown) {
    switch (message) {
    case WM_COPY:
    case WM_CUT:
        return true;
    case WM_CHAR:
        return wParam == kCtrlC || wParam == kCtrlX;
    case WM_KEYDOWN:
        return (wParam == VK_INSERT && controlDown) || (wParam == VK_DELETE && shiftDown);
    default:
        return false;
    }
}

LRESULT CALLBACK DescriptionBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    if (message == WM_GETDLGCODE) {
        // A multi-line edit asks for every key; the box is read-only, so Tab, Shift+Tab, Enter
        // and Esc stay the window's keys and the focus can leave it.
        const LRESULT code = DefSubclass(edit, message, wParam, lParam);
        return code & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) {
        return 0; // the edit would ask its parent to close
    }
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        // A Tab that reaches the box all the same moves the focus on, as in the rest of the window.
        ::SendMessageA(::GetAncestor(edit, GA_ROOT), WM_NEXTDLGCTL, KeyDown(VK_SHIFT) ? 1 : 0, 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == '\t') {
        return 0;
    }
    if (message == WM_CONTEXTMENU ||
        IsCopyOrCutRequest(message, wParam, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT))) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveSubclass(edit, DescriptionBoxProc, kSubclassId);
    }
    return DefSubclass(edit, message, wParam, lParam);
}

} // namespace

void ProtectDescriptionBox(HWND edit) {
    SetSubclass(edit, DescriptionBoxProc, kSubclassId, 0);
}

} // namespace haloquill::win32
