// A stand-in for a DLL an attacker leaves beside a downloaded program: when any process loads
// it, it writes an empty file "<its own path>.loaded" and does nothing else, so a test can see
// whether the program (or its setup) ever took it instead of the system's DLL of that name.

#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 1] = {};
        const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const std::wstring marker = std::wstring(path, length) + L".loaded";
            HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                ::CloseHandle(file);
            }
        }
    }
    return TRUE;
}
