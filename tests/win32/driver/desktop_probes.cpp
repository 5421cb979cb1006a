#include "driver/desktop_probes.h"

#include "win32/system_library.h"
#include "win32/unique_handle.h"

#include <sddl.h>
#include <shellapi.h>

#include <stdexcept>

namespace haloquill::testing {

namespace {

using ShellNotify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Everyone may read the key and change its access list back, nothing more.
constexpr char kReadOnlyAccess[] = "D:P(A;;KRWD;;;WD)";

} // namespace

bool NotificationIconShown(HWND receiver, UINT id) {
    win32::SystemLibrary shell(L"shell32.dll");
    const auto notify = shell.Get<ShellNotify>("Shell_NotifyIconA");
    if (!notify) {
        return false;
    }
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = receiver;
    record.uID = id;
    record.uFlags = 0;
    return notify(NIM_MODIFY, &record) != FALSE;
}

bool IsInFrontOf(HWND upper, HWND lower) {
    for (HWND window = ::GetWindow(lower, GW_HWNDPREV); window;
         window = ::GetWindow(window, GW_HWNDPREV)) {
        if (window == upper) {
            return true;
        }
    }
    return false;
}

RunKeyWriteBlock::RunKeyWriteBlock() {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, READ_CONTROL | WRITE_DAC, key.Receive()) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot open the Run key to change its access list");
    }
    DWORD size = 0;
    ::RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (size == 0 || ::RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, saved_.data(),
                                         &size) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot read the Run key's access list");
    }
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(kReadOnlyAccess, SDDL_REVISION_1,
                                                                &readOnly, nullptr)) {
        throw std::runtime_error("cannot build the read-only access list");
    }
    const LONG set = ::RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, readOnly);
    ::LocalFree(readOnly);
    if (set != ERROR_SUCCESS) {
        throw std::runtime_error("cannot change the Run key's access list");
    }
}

RunKeyWriteBlock::~RunKeyWriteBlock() {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, WRITE_DAC, key.Receive()) == ERROR_SUCCESS) {
        ::RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, saved_.data());
    }
}

bool RunKeyWriteBlock::WritesRefused() {
    win32::UniqueRegistryKey key;
    return ::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, key.Receive()) ==
           ERROR_ACCESS_DENIED;
}

} // namespace haloquill::testing
