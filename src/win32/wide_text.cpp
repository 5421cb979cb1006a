#include "win32/wide_text.h"

#include <windows.h>

#include <limits>

namespace haloquill::win32 {

std::optional<std::wstring> ToWide(std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                              needed) != needed) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> FromWide(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 3)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length,
                                             nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, narrow.data(),
                              needed, nullptr, nullptr) != needed) {
        return std::nullopt;
    }
    return narrow;
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
