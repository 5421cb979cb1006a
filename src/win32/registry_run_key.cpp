#include "win32/registry_run_key.h"

#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

namespace haloquill::win32 {

bool RegistryRunKey::HasValue(const std::string& name) const {
    UniqueRegistryKey key;
    if (::RegOpenKeyExA(root_, path_, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

RunKeyStatus RegistryRunKey::SetValue(const std::string& name, const std::string& data) {
    UniqueRegistryKey key;
    const LONG opened = ::RegCreateKeyExA(root_, path_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_WRITE, nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return {opened, 0};
    }
    return {0, WriteRegistryText(key.Get(), name, data)};
}

RunKeyStatus RegistryRunKey::RemoveValue(const std::string& name) {
    UniqueRegistryKey key;
    const LONG opened = ::RegCreateKeyExA(root_, path_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_WRITE, nullptr, key.Receive(), nullptr);
    if (opened != ERROR_SUCCESS) {
        return {opened, 0};
    }
    ::RegDeleteValueA(key.Get(), name.c_str()); // a value that is not there is no failure
    return {};
}

} // namespace haloquill::win32
