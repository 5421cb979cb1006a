#pragma once
// The per-user store of short text values, addressed by key within the program's own section.

#include <optional>
#include <string>
#include <string_view>

namespace haloquill {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or nothing when the key is absent or cannot be read as text.
    virtual std::optional<std::string> Read(std::string_view key) const = 0;

    // Creates or replaces the value; false when the store refused the write.
    virtual bool Write(std::string_view key, std::string_view value) = 0;

    std::string ReadSetting(std::string_view key, std::string_view fallback = {}) const {
        auto value = Read(key);
        return value ? std::move(*value) : std::string(fallback);
    }

    bool WriteSetting(std::string_view key, std::string_view value) { return Write(key, value); }
};

} // namespace haloquill
