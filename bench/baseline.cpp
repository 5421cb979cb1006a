// The floor the program is measured against: the smallest Win32 program that does the same kind
// of thing. One window with the main window's client size, a 1000 ms timer that reads three
// values from the registry, and a message loop. With "/STARTUP" it keeps its window hidden.

#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace {

void ReadThreeValues() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvel\\HaloquillBaseline\\Settings", 0,
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

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ReadThreeValues();
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "HaloquillBaseline";
    ::RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 635, 441};
    ::AdjustWindowRect(&frame, style, FALSE);
    HWND window = ::CreateWindowA("HaloquillBaseline", "Baseline", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    ::SetTimer(window, 1, 1000, nullptr);
    if (!commandLine || !std::strstr(commandLine, "/STARTUP")) {
        ::ShowWindow(window, SW_SHOWNORMAL);
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
