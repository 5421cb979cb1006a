#include "base/utf16_text.h"

namespace haloquill {

namespace {

constexpr char32_t kHighSurrogates = 0xD800;
constexpr char32_t kLowSurrogates = 0xDC00;
constexpr char32_t kAfterSurrogates = 0xE000;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstOutsideBasicPlane = 0x10000;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point that starts at `at`, moving `at` past it; nothing when the bytes there are not
// the one shortest UTF-8 form of a code point.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = kFirstOutsideBasicPlane;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < static_cast<std::size_t>(length)) {
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if (!IsContinuation(byte)) {
            return std::nullopt;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    const bool surrogate = code >= kHighSurrogates && code < kAfterSurrogates;
    if (code < smallest || code > kLastCodePoint || surrogate) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(length);
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < kFirstOutsideBasicPlane) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

} // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto code = NextCodePoint(text, at);
        if (!code) {
            return std::nullopt;
        }
        if (*code < kFirstOutsideBasicPlane) {
            out.push_back(static_cast<char16_t>(*code));
        } else {
            const char32_t above = *code - kFirstOutsideBasicPlane;
            out.push_back(static_cast<char16_t>(kHighSurrogates + (above >> 10)));
            out.push_back(static_cast<char16_t>(kLowSurrogates + (above & 0x3FF)));
        }
    }
    return out;
}

std::optional<std::string> Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t code = text[at];
        if (code >= kLowSurrogates && code < kAfterSurrogates) {
            return std::nullopt; // a low surrogate with no high one before it
        }
        if (code >= kHighSurrogates && code < kLowSurrogates) {
            const char32_t low = at + 1 < text.size() ? text[at + 1] : 0;
            if (low < kLowSurrogates || low >= kAfterSurrogates) {
                return std::nullopt;
            }
            code =
                kFirstOutsideBasicPlane + ((code - kHighSurrogates) << 10) + (low - kLowSurrogates);
            ++at;
        }
        AppendUtf8(out, code);
    }
    return out;
}

} // namespace haloquill
