#include "win32/executable_file.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <vector>

namespace haloquill::win32 {

ExecutablePath RunningExecutable() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            // A path that is not valid UTF-16 cannot be named again; it counts as no path.
            const auto path = FromWide(std::wstring_view(buffer.data(), length));
            return path ? SplitExecutablePath(*path) : ExecutablePath{};
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace haloquill::win32
