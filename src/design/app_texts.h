#pragma once
// The program's fixed texts: titles, captions and messages. The version in them is the
// project's one version, which the build gives as HALOQUILL_SHORT_VERSION ("1.15").

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#ifndef HALOQUILL_SHORT_VERSION
#error "The build defines HALOQUILL_SHORT_VERSION from the project's version"
#endif

namespace haloquill::texts {

// Two text literals joined at compile time, kept as one NUL-terminated text.
template <std::size_t N, std::size_t M>
constexpr std::array<char, N + M - 1> Join(const char (&first)[N], const char (&second)[M]) {
    std::array<char, N + M - 1> joined{};
    for (std::size_t i = 0; i + 1 < N; ++i) {
        joined[i] = first[i];
    }
    for (std::size_t i = 0; i < M; ++i) {
        joined[N - 1 + i] = second[i];
    }
    return joined;
}

template <std::size_t N> constexpr std::string_view View(const std::array<char, N>& text) {
    return {text.data(), N - 1};
}

inline constexpr std::string_view kApplicationTitle = "Corvel Haloquill";
inline constexpr auto kMainCaptionText = Join("Corvel Haloquill v", HALOQUILL_SHORT_VERSION);
inline constexpr std::string_view kMainCaption = View(kMainCaptionText);
inline constexpr std::string_view kAlreadyRunning = "Application is already running";
// Said when Windows refuses the window or one of its controls; the program then ends.
inline constexpr std::string_view kWindowCannotBeMade =
    "Corvel Haloquill cannot open its window, because Windows refused to make it. The program "
    "ends now; starting it again may work once other programs have been closed.";
// The message with Windows' error code, for whoever reads it out to a helper.
inline std::string WindowCannotBeMade(unsigned long error) {
    return std::string(kWindowCannotBeMade) + " (Windows error " + std::to_string(error) + ")";
}
inline constexpr std::string_view kAboutCannotBeMade =
    "Corvel Haloquill cannot open its About window, because Windows refused to make it.";
inline constexpr std::string_view kExitQuestion =
    "Are You Sure You Want To Quit Corvel Haloquill ?";
inline constexpr std::string_view kBadDate = "Please Enter Correct Date !";
inline constexpr std::string_view kTrayTip = "Recent";

// The offer to brand the program, in the About window and in the main window's strip.
inline constexpr char kFullBrandOffer[] =
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website.";
inline constexpr auto kFullBrandLinkText = Join(kFullBrandOffer, " Click here for more details.");

} // namespace haloquill::texts
