#include "win32/registry_run_key.h"

#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace haloquill::win32 {

bool RegistryRunKey::HasValue(const std::string& name) const {
    UniqueRegistryKey key;
    const auto valueName = ToWide(name);
    if (!valueName || ::RegOpenKeyExW(root_, path_, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegQueryValueExW(key.Get(), valueName->c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

RunKeyStatus RegistryRunKey::SetValue(const std::string& name, const std::string& data) {
    UniqueRegistryKey key;
    const LONG opened = ::RegCreateKeyExW(root_, path_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_WRITE, nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return {opened, 0};
    }
    return {0, WriteRegistryText(key.Get(), name, data)};
}

RunKeyStatus RegistryRunKey::RemoveValue(const std::string& name) {
    UniqueRegistryKey key;
    const LONG opened = ::RegCreateKeyExW(root_, path_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_WRITE, nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return {opened, 0};
    }
    // A value that is not there is no failure, nor is a name that cannot be one.
    if (const auto valueName = ToWide(name)) {
        ::RegDeleteValueW(key.Get(), valueName->c_str());
    }
    return {};
}

std::optional<StartupApproval> RegistryRunKey::ReadApproval(const std::string& name) const {
    // Windows' mark is twelve bytes; a value far longer is no mark of Windows'.
    constexpr DWORD kLongest = 256;
    UniqueRegistryKey key;
    const auto valueName = ToWide(name);
    if (!valueName ||
        ::RegOpenKeyExW(root_, approvalPath_, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StartupApproval value;
    value.bytes.resize(kLongest);
    DWORD type = 0;
    DWORD size = kLongest;
    if (::RegQueryValueExW(key.Get(), valueName->c_str(), nullptr, &type, value.bytes.data(),
                           &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.type = type;
    value.bytes.resize(size);
    return value;
}

void RegistryRunKey::RemoveApproval(const std::string& name) {
    // The key is opened, never created: the program writes nothing else under it.
    UniqueRegistryKey key;
    const auto valueName = ToWide(name);
    if (valueName &&
        ::RegOpenKeyExW(root_, approvalPath_, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
        ::RegDeleteValueW(key.Get(), valueName->c_str());
    }
}

} // namespace haloquill::win32
