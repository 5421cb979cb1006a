#include "win32/executable_file.h"

#include <windows.h>

#include <vector>

namespace haloquill::win32 {

ExecutablePath RunningExecutable() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return SplitExecutablePath(std::string_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace haloquill::win32
