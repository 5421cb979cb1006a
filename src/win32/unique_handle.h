#pragma once
// Owners of Win32 handles, each closed with its own function.

#include "base/unique_resource.h"

#include <windows.h>

namespace haloquill::win32 {

// The base of an owner that is never copied, so that what it holds is given back only once.
struct Uncopyable {
    Uncopyable() = default;
    Uncopyable(const Uncopyable&) = delete;
    Uncopyable& operator=(const Uncopyable&) = delete;
};

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
