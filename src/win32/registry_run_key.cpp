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

} // namespace haloquill::win32
