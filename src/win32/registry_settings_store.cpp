#include "win32/registry_settings_store.h"

#include "settings/setting_keys.h"
#include "win32/executable_file.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

#include <vector>

namespace haloquill::win32 {

RegistrySettingsStore::RegistrySettingsStore(std::function<std::string()> applicationName,
                                             HKEY root)
    : applicationName_(std::move(applicationName)), root_(root) {
    if (!applicationName_) {
        applicationName_ = [] { return RunningExecutable().baseName; };
    }
}

std::string RegistrySettingsStore::SectionPath() const {
    return "Software\\Corvel\\" + applicationName_() + "\\" + std::string(keys::kSection);
}

std::optional<std::string> RegistrySettingsStore::Read(std::string_view key) const {
    UniqueRegistryKey section;
    const auto path = ToWide(SectionPath());
    if (!path || ::RegOpenKeyExW(root_, path->c_str(), 0, KEY_QUERY_VALUE, section.Receive()) !=
                     ERROR_SUCCESS) {
        return std::nullopt;
    }
    return ReadRegistryText(section.Get(), std::string(key));
}

bool RegistrySettingsStore::Write(std::string_view key, std::string_view value) {
    UniqueRegistryKey section;
    const auto path = ToWide(SectionPath());
    if (!path ||
        ::RegCreateKeyExW(root_, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, section.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return WriteRegistryText(section.Get(), std::string(key), value) == ERROR_SUCCESS;
}

std::optional<std::string> ReadRegistryText(HKEY key, const std::string& valueName) {
    const auto name = ToWide(valueName);
    if (!name) {
        return std::nullopt;
    }
    // The value may change between the size query and the read; try again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key, name->c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return std::nullopt;
        }
        // Room for an odd last byte and a NUL the stored data may lack.
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD readSize = size;
        const LONG status = ::RegQueryValueExW(key, name->c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(data.data()), &readSize);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        // An odd last byte is no character and is left out.
        std::wstring_view text(data.data(), readSize / sizeof(wchar_t));
        const auto nul = text.find(L'\0');
        if (nul != std::wstring_view::npos) {
            text = text.substr(0, nul);
        }
        // Text that is not valid UTF-16 reads as no text at all.
        return FromWide(text);
    }
    return std::nullopt;
}

LONG WriteRegistryText(HKEY key, const std::string& valueName, std::string_view text) {
    const auto name = ToWide(valueName);
    const auto data = ToWide(text);
    if (!name || !data) {
        return ERROR_NO_UNICODE_TRANSLATION;
    }
    return ::RegSetValueExW(key, name->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data->c_str()),
                            static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t)));
}

} // namespace haloquill::win32
