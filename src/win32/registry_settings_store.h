#pragma once
// The settings store in the registry: HKEY_CURRENT_USER\Software\Corvel\<application>\Settings,
// one REG_SZ value per key.

#include "ports/settings_store.h"

#include <windows.h>

#include <functional>
#include <string>

namespace haloquill::win32 {

class RegistrySettingsStore final : public SettingsStore {
  public:
    // `applicationName` is asked at every access; by default the running executable's base name.
    explicit RegistrySettingsStore(std::function<std::string()> applicationName = {},
                                   HKEY root = HKEY_CURRENT_USER);

    std::optional<std::string> Read(std::string_view key) const override;
    bool Write(std::string_view key, std::string_view value) override;

    // The key path below the root for the current application name.
    std::string SectionPath() const;

  private:
    std::function<std::string()> applicationName_;
    HKEY root_;
};

// Reads a REG_SZ or REG_EXPAND_SZ value as text, whether or not the stored data ends in a NUL;
// nothing for an absent value, one of another type or one that is not valid UTF-16.
std::optional<std::string> ReadRegistryText(HKEY key, const std::string& valueName);

// Writes a REG_SZ value, terminating NUL included; ERROR_NO_UNICODE_TRANSLATION for a name or
// text that is not valid UTF-8.
LONG WriteRegistryText(HKEY key, const std::string& valueName, std::string_view text);

} // namespace haloquill::win32
