#pragma once
// Owners of Win32 handles, each closed with its own function.

#include "base/unique_resource.h"

#include <windows.h>

namespace haloquill::win32 {

template <typename Traits> using UniqueHandle = UniqueResource<Traits>;

// A handle that is null when it holds nothing and is closed by `close`.
template <typename HandleType, auto close> struct ClosedBy {
    using Handle = HandleType;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { close(handle); }
};

using UniqueKernelHandle = UniqueHandle<ClosedBy<HANDLE, ::CloseHandle>>;
using UniqueRegistryKey = UniqueHandle<ClosedBy<HKEY, ::RegCloseKey>>;
using UniqueGdiObject = UniqueHandle<ClosedBy<HGDIOBJ, ::DeleteObject>>;
using UniqueWindow = UniqueHandle<ClosedBy<HWND, ::DestroyWindow>>;
using UniqueMenu = UniqueHandle<ClosedBy<HMENU, ::DestroyMenu>>;

} // namespace haloquill::win32
