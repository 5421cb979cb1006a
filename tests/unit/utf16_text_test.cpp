#include "base/utf16_text.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

TEST(Utf16Text, EveryScriptAndEveryPlaneGoesBothWaysUnchanged) {
    const std::string text = "C:\\Программы\\Łukasz 张伟 \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF.exe";
    const std::u16string wide = u"C:\\Программы\\Łukasz 张伟 \U0001F600 \U0010FFFF.exe";
    EXPECT_EQ(Utf16FromUtf8(text), wide);
    EXPECT_EQ(Utf8FromUtf16(wide), text);
    EXPECT_EQ(Utf16FromUtf8(""), std::u16string());
    EXPECT_EQ(Utf16FromUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    // The last code point of each length of encoding, and the first of the next.
    for (const char* edge : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xEF\xBF\xBF",
                             "\xF0\x90\x80\x80", "\xED\x9F\xBF", "\xEE\x80\x80"}) {
        SCOPED_TRACE(edge);
        const auto wide16 = Utf16FromUtf8(edge);
        ASSERT_TRUE(wide16.has_value());
        EXPECT_EQ(Utf8FromUtf16(*wide16), edge);
    }
}

TEST(Utf16Text, TextNotValidInItsEncodingGivesNothing) {
    for (const char* bad : {
             "\xFF", "\x80", "ab\xC3", "\xC3\x28", // stray, lone and missing continuations
             "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", // overlong forms
             "\xED\xA0\x80", "\xED\xBF\xBF",                 // surrogates written as UTF-8
             "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",     // above U+10FFFF
             "\xF0\x9F\x98",                                 // a four-byte form cut short
         }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Utf16FromUtf8(bad).has_value());
    }
    const char16_t high[] = {u'a', 0xD800};
    const char16_t low[] = {0xDC00, u'a'};
    const char16_t reversed[] = {0xDE00, 0xD83D};
    const char16_t twoHigh[] = {0xD83D, 0xD83D, 0xDE00};
    EXPECT_FALSE(Utf8FromUtf16(std::u16string_view(high, 2)).has_value());
    EXPECT_FALSE(Utf8FromUtf16(std::u16string_view(low, 2)).has_value());
    EXPECT_FALSE(Utf8FromUtf16(std::u16string_view(reversed, 2)).has_value());
    EXPECT_FALSE(Utf8FromUtf16(std::u16string_view(twoHigh, 3)).has_value());
}

} // namespace
} // namespace haloquill
