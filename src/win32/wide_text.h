#pragma once
// The one place where the program's text (UTF-8 in std::string) meets the UTF-16 text of the wide
// Win32 calls; the conversions themselves are the portable ones of base/utf16_text.h.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace haloquill::win32 {

// UTF-16 for a wide call; nothing when `text` is not valid UTF-8.
std::optional<std::wstring> ToWide(std::string_view text);

// UTF-8 for the program; nothing when `text` is not valid UTF-16 (a lone surrogate).
std::optional<std::string> FromWide(std::wstring_view text);

// The program's text for a wide call: every text the user sees goes out through these. Text
// that is not valid UTF-8, which the program never makes, shows as a question mark.
std::wstring Wide(std::string_view text);

// What `window` shows as its text, as the wide call reads it; empty for no window.
std::wstring WideWindowText(HWND window);

// The name in lower case as Windows folds it, so that one name in any letter case is one
// program, as it is one settings key; nothing when `name` is not valid UTF-8.
std::optional<std::string> LowerCaseName(std::string_view name);

} // namespace haloquill::win32
