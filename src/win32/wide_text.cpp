#include "win32/wide_text.h"

#include "base/utf16_text.h"

#include <windows.h>

namespace haloquill::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide text is UTF-16");

std::optional<std::wstring> ToWide(std::string_view text) {
    const auto utf16 = Utf16FromUtf8(text);
    if (!utf16) {
        return std::nullopt;
    }
    return std::wstring(utf16->begin(), utf16->end());
}

std::optional<std::string> FromWide(std::wstring_view text) {
    return Utf8FromUtf16(std::u16string(text.begin(), text.end()));
}

std::wstring Wide(std::string_view text) {
    return ToWide(text).value_or(L"?");
}

std::wstring WideWindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::optional<std::string> LowerCaseName(std::string_view name) {
    auto wide = ToWide(name);
    if (!wide) {
        return std::nullopt;
    }
    if (!wide->empty()) {
        ::CharLowerBuffW(wide->data(), static_cast<DWORD>(wide->size()));
    }
    return FromWide(*wide);
}

} // namespace haloquill::win32
