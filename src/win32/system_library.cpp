// SetDefaultDllDirectories is declared for Windows 8 and later; this file looks it up at run
// time, typed by that declaration, and calls nothing else of later Windows.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0602
#define _WIN32_WINNT 0x0602

#include "win32/system_library.h"

#include <string>

namespace haloquill::win32 {

bool RestrictDllSearchToSystem32() {
    // Looked up rather than imported: Windows 7 has it only with an update, and an import would
    // keep the program from starting without it.
    const auto setDefaultDirectories =
        HALOQUILL_EXPORT_OF(::GetModuleHandleW(L"kernel32.dll"), SetDefaultDllDirectories);
    if (setDefaultDirectories && setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return true;
    }
    ::SetDllDirectoryW(L"");
    return false;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    // A Windows 7 without the search flags refuses them; the full path in system32 then keeps
    // the program's folder out, for the DLL and, with the altered search, for its imports.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t directory[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(directory, length) + L"\\" + name;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace haloquill::win32
