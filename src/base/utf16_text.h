#pragma once
// The program's text is UTF-8; the wide Windows calls take UTF-16. A conversion that meets text
// which is not valid in its encoding gives nothing, so that the caller treats the text as
// unreadable instead of carrying a changed copy on.

#include <optional>
#include <string>
#include <string_view>

namespace haloquill {

// UTF-16 for UTF-8 `text`; nothing when it is not valid UTF-8 (a stray or missing continuation
// byte, an overlong form, an encoded surrogate or a code point above U+10FFFF).
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

// UTF-8 for UTF-16 `text`; nothing when it holds a surrogate that is not part of a pair.
std::optional<std::string> Utf8FromUtf16(std::u16string_view text);

} // namespace haloquill
