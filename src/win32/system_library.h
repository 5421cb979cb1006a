#pragma once
// System DLLs loaded from system32 only, and on first use rather than at the start, so that a
// DLL of the same name beside the program is never taken and a start into the notification area
// does not pay for what only a visible window or a click needs.

#include "win32/unique_handle.h"

#include <windows.h>

namespace haloquill::win32 {

// Makes system32 the only folder that later loads of DLLs search, the program's own folder
// included; the first thing the program does. False on a Windows 7 that lacks the call, where
// at least the current folder is taken out of the search.
bool RestrictDllSearchToSystem32();

// Loads the system DLL `name` (a bare file name) from system32 and nowhere else; null when it
// cannot be loaded. Side-by-side assemblies named by the manifest (comctl32 version 6) are still
// chosen, since they replace the system32 copy before any folder is searched.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The exported function `name` of `module` as the type the caller names, or null.
template <typename Function> Function ExportOf(HMODULE module, const char* name) {
    // GetProcAddress gives a generic function pointer; the caller names the real type.
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                  : nullptr;
}

// The function `function` of a SystemLibrary, or of a module with EXPORT_OF, looked up by its
// name and typed by its declaration in the Windows headers, so that the two cannot disagree.
// Every function the program calls late goes through one of these.
#define HALOQUILL_LATE_BOUND(library, function) ((library).Get<decltype(&::function)>(#function))
#define HALOQUILL_EXPORT_OF(module, function)                                                      \
    (::haloquill::win32::ExportOf<decltype(&::function)>((module), #function))

// A system DLL held by its user: loaded from system32 with the first function asked for, freed
// with its owner.
class SystemLibrary : Uncopyable {
  public:
    explicit SystemLibrary(const wchar_t* name) : name_(name) {}

    // The exported function `name`, or null when the library or the function is missing.
    template <typename Function> Function Get(const char* name) {
        if (!module_) {
            module_.Reset(LoadSystemLibrary(name_));
        }
        return ExportOf<Function>(module_.Get(), name);
    }

  private:
    const wchar_t* name_;
    UniqueHandle<ClosedBy<HMODULE, ::FreeLibrary>> module_;
};

} // namespace haloquill::win32
