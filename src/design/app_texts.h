#pragma once
// The program's fixed texts: titles, captions and messages.

#include <string_view>

namespace haloquill::texts {

inline constexpr std::string_view kApplicationTitle = "Corvel Haloquill";
inline constexpr std::string_view kMainCaption = "Corvel Haloquill v1.15";
inline constexpr std::string_view kAlreadyRunning = "Application is already running";
inline constexpr std::string_view kExitQuestion =
    "Are You Sure You Want To Quit Corvel Haloquill ?";
inline constexpr std::string_view kBadDate = "Please Enter Correct Date !";

} // namespace haloquill::texts
