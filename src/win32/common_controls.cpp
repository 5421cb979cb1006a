#include "win32/common_controls.h"

#include "win32/system_library.h"

#include <uxtheme.h>

namespace haloquill::win32 {

namespace {

// The two libraries and the functions the program takes from them. They stay loaded for the
// process's life, since controls subclassed through comctl32 live until its end.
struct CommonControlsLibrary {
    CommonControlsLibrary() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
        const auto initialise = HALOQUILL_EXPORT_OF(comctl32, InitCommonControlsEx);
        loaded = initialise && initialise(&classes);
    }

    HMODULE comctl32 = LoadSystemLibrary(L"comctl32.dll");
    HMODULE uxtheme = LoadSystemLibrary(L"uxtheme.dll");
    // uxtheme draws through msimg32, which it loads only at its first drawing, and Wine's loader
    // looks for it there in the program's folder too; loaded here first, from system32, it is
    // the copy that drawing finds.
    HMODULE msimg32 = LoadSystemLibrary(L"msimg32.dll");
    decltype(&::SetWindowSubclass) setSubclass = HALOQUILL_EXPORT_OF(comctl32, SetWindowSubclass);
    decltype(&::RemoveWindowSubclass) removeSubclass =
        HALOQUILL_EXPORT_OF(comctl32, RemoveWindowSubclass);
    decltype(&::DefSubclassProc) defSubclass = HALOQUILL_EXPORT_OF(comctl32, DefSubclassProc);
    decltype(&::SetWindowTheme) setTheme = HALOQUILL_EXPORT_OF(uxtheme, SetWindowTheme);
    bool loaded = false;
};

// Loaded with the first use and not changed afterwards.
const CommonControlsLibrary& Library() {
    static const CommonControlsLibrary library;
    return library;
}

} // namespace

bool LoadCommonControls() {
    return Library().loaded;
}

bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    const auto setSubclass = Library().setSubclass;
    return setSubclass && setSubclass(window, procedure, id, data);
}

bool RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    const auto removeSubclass = Library().removeSubclass;
    return removeSubclass && removeSubclass(window, procedure, id);
}

LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a subclass procedure calls this, and there is none without comctl32.
    const auto defSubclass = Library().defSubclass;
    return defSubclass ? defSubclass(window, message, wParam, lParam)
                       : ::DefWindowProcW(window, message, wParam, lParam);
}

void RemoveVisualStyle(HWND control) {
    if (const auto setTheme = Library().setTheme) {
        setTheme(control, L"", L"");
    }
}

} // namespace haloquill::win32
