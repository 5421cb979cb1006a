#include "driver/running_program.h"

#include <cstring>
#include <vector>

namespace haloquill::testing {

bool RunningProgram::SendDpiChange(HWND window, int dpi, const RECT& suggested) const {
    // The rectangle travels by address and may or may not be copied across processes, so it is
    // put at one address that holds it in this process and in the program's, near the top of
    // the address space where both have room. Addresses tried are kept until the end, so that
    // each try gets another one.
    constexpr SIZE_T kPage = 4096;
    std::vector<void*> tried;
    bool sent = false;
    for (int attempt = 0; attempt < 8 && !sent; ++attempt) {
        void* local =
            ::VirtualAlloc(nullptr, kPage, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
        if (!local) {
            break;
        }
        tried.push_back(local);
        void* remote = ::VirtualAllocEx(process_.Get(), local, kPage, MEM_RESERVE | MEM_COMMIT,
                                        PAGE_READWRITE);
        if (!remote) {
            continue;
        }
        if (remote == local) {
            std::memcpy(local, &suggested, sizeof suggested);
            DWORD_PTR result = 0;
            sent = ::WriteProcessMemory(process_.Get(), remote, &suggested, sizeof suggested,
                                        nullptr) &&
                   ::SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                         reinterpret_cast<LPARAM>(local), SMTO_ABORTIFHUNG, 10000,
                                         &result) != 0;
        }
        ::VirtualFreeEx(process_.Get(), remote, 0, MEM_RELEASE);
    }
    for (void* local : tried) {
        ::VirtualFree(local, 0, MEM_RELEASE);
    }
    return sent;
}

RECT SuggestedWindowRect(HWND window, PixelSize client, bool menu) {
    RECT frame{0, 0, client.width, client.height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)), menu,
                         static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)));
    RECT now{};
    ::GetWindowRect(window, &now);
    return {now.left, now.top, now.left + frame.right - frame.left,
            now.top + frame.bottom - frame.top};
}

} // namespace haloquill::testing
