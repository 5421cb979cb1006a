// The floor of a program that lives in the notification area: one hidden top-level window with
// the program's caption, an icon in the notification area with a tooltip, a 1000 ms timer that
// reads three values from the registry, and a message loop. A display without a notification
// area may refuse the icon; the call is made all the same, as the program makes it.

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <initializer_list>

namespace {

constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

void ReadThreeValues() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvel\\HaloquillTrayBaseline\\Settings", 0,
                        KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const char* name : {"Hour", "Minute", "Second"}) {
        char value[32];
        DWORD size = sizeof value;
        ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    }
    ::RegCloseKey(key);
}

NOTIFYICONDATAA IconRecord(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = window;
    record.uID = kIconId;
    return record;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ReadThreeValues();
        return 0;
    case WM_DESTROY: {
        NOTIFYICONDATAA record = IconRecord(window);
        ::Shell_NotifyIconA(NIM_DELETE, &record);
        ::PostQuitMessage(0);
        return 0;
    }
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "HaloquillTrayBaseline";
    ::RegisterClassA(&windowClass);

    // Never shown: the window only receives the icon's messages, the timer and the broadcasts.
    HWND window =
        ::CreateWindowA("HaloquillTrayBaseline", "Corvel Haloquill v" HALOQUILL_SHORT_VERSION,
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAA record = IconRecord(window);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kIconMessage;
    record.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    std::strcpy(record.szTip, "Recent");
    ::Shell_NotifyIconA(NIM_ADD, &record);
    ::SetTimer(window, 1, 1000, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
