#pragma once
// A system DLL loaded on first use rather than at the start, so that a start into the
// notification area does not pay for what only a visible window or a click needs.

#include <windows.h>

namespace haloquill::win32 {

class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* name) : name_(name) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;
    ~SystemLibrary() {
        if (module_) {
            ::FreeLibrary(module_);
        }
    }

    // The exported function `name`, or null when the library or the function is missing.
    template <typename Function> Function Get(const char* name) {
        if (!module_) {
            module_ = ::LoadLibraryW(name_);
        }
        // GetProcAddress gives a generic function pointer; the caller names the real type.
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)))
                       : nullptr;
    }

  private:
    const wchar_t* name_;
    HMODULE module_ = nullptr;
};

} // namespace haloquill::win32
