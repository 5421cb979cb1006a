#pragma once
// The keys of the settings store, spelled as they are stored.

#include <string_view>

namespace haloquill::keys {

inline constexpr std::string_view kSection = "Settings";

inline constexpr std::string_view kHour = "Hour";
inline constexpr std::string_view kMinute = "Minute";
inline constexpr std::string_view kSecond = "Second";
inline constexpr std::string_view kDate = "Date";
inline constexpr std::string_view kCard = "Card";
inline constexpr std::string_view kRunAtSysTray = "RunAtSysTray";
inline constexpr std::string_view kSystemTray = "SystemTray";
inline constexpr std::string_view kAutorunStartUp = "AutorunStartUp";
inline constexpr std::string_view kUpdateCheckDate = "UpdateCheckDate";

} // namespace haloquill::keys
