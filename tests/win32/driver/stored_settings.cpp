#include "driver/stored_settings.h"

#include "driver/driver_text.h"

#include "win32/registry_run_key.h"
#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <iterator>
#include <stdexcept>

namespace haloquill::testing {

std::map<std::string, std::string> StoredSettings(const std::string& applicationName) {
    const win32::RegistrySettingsStore settings([&] { return applicationName; });
    std::map<std::string, std::string> values;
    win32::UniqueRegistryKey section;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, WideOrThrow(settings.SectionPath()).c_str(), 0, KEY_READ,
                        section.Receive()) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        if (::RegEnumValueW(section.Get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            break;
        }
        const std::string key = NarrowOrThrow(std::wstring(name, nameLength));
        values[key] = win32::ReadRegistryText(section.Get(), key).value_or("<not text>");
    }
    return values;
}

void ClearStoredSettings(const std::string& applicationName) {
    const std::string key = "Software\\Corvel\\" + applicationName;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, WideOrThrow(key).c_str());
}

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

std::optional<std::string> ReadRunEntry(const std::string& name) {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return win32::ReadRegistryText(key.Get(), name);
}

void WriteRunEntry(const std::string& name, const std::string& data) {
    win32::UniqueRegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS ||
        win32::WriteRegistryText(key.Get(), name, data) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the Run entry " + name);
    }
}

void RemoveRunEntry(const std::string& name) {
    win32::UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Receive()) ==
        ERROR_SUCCESS) {
        ::RegDeleteValueW(key.Get(), WideOrThrow(name).c_str());
    }
}

void WriteStartupMark(const std::string& name, std::uint8_t state) {
    const BYTE mark[12] = {state, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};
    win32::UniqueRegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, win32::kStartupApprovedPath, 0, nullptr, 0, KEY_WRITE,
                          nullptr, key.Receive(), nullptr) != ERROR_SUCCESS ||
        ::RegSetValueExW(key.Get(), WideOrThrow(name).c_str(), 0, REG_BINARY, mark, sizeof mark) !=
            ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the start-up mark " + name);
    }
}

std::optional<std::vector<std::uint8_t>> ReadStartupMark(const std::string& name) {
    const auto mark = win32::RegistryRunKey().ReadApproval(name);
    return mark ? std::optional(mark->bytes) : std::nullopt;
}

void RunEntryCleanup::Remove() {
    RemoveRunEntry(name_);
    win32::RegistryRunKey().RemoveApproval(name_);
}

} // namespace haloquill::testing
