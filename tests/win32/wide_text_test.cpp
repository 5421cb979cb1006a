// Text at the boundary of the wide Win32 calls: UTF-8 and UTF-16 both ways, refused when not
// valid, and the one-copy guard for names that no ANSI code page holds.

#include "win32/system_services.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

namespace haloquill::win32 {
namespace {

TEST(WideText, EveryScriptGoesBothWaysUnchanged) {
    const std::string text = "C:\\Программы\\Ангел\\Łukasz 张伟 \xF0\x9F\x98\x80.exe";
    const std::wstring wide = L"C:\\Программы\\Ангел\\Łukasz 张伟 \U0001F600.exe";
    EXPECT_EQ(ToWide(text), wide);
    EXPECT_EQ(FromWide(wide), text);
    EXPECT_EQ(ToWide(""), std::wstring());
    EXPECT_EQ(FromWide(L""), std::string());
    EXPECT_EQ(ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(WideText, TextNotValidInItsEncodingGivesNothing) {
    for (const char* bad : {"\xFF", "ab\xC3", "\xC3\x28", "\xED\xA0\x80", "\xC0\xAF", "\x80"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ToWide(bad).has_value());
        EXPECT_FALSE(LowerCaseName(bad).has_value());
    }
    const wchar_t high[] = {L'a', static_cast<wchar_t>(0xD800)};
    const wchar_t low[] = {static_cast<wchar_t>(0xDC00), L'a'};
    const wchar_t reversed[] = {static_cast<wchar_t>(0xDE00), static_cast<wchar_t>(0xD83D)};
    EXPECT_FALSE(FromWide(std::wstring_view(high, 2)).has_value());
    EXPECT_FALSE(FromWide(std::wstring_view(low, 2)).has_value());
    EXPECT_FALSE(FromWide(std::wstring_view(reversed, 2)).has_value());
}

TEST(WideText, NamesFoldToOneLetterCaseInEveryScript) {
    EXPECT_EQ(LowerCaseName("ДМИТРИЙ Łukasz HALOQUILL 张伟"), "дмитрий łukasz haloquill 张伟");
    EXPECT_EQ(LowerCaseName(""), std::string());
}

TEST(SingleInstanceGuardTest, NamesOutsideTheCodePageGuardEachTheirOwnCopy) {
    // Two names that differ only in letters no single ANSI code page holds.
    const std::string name = "Local\\HaloquillTests.Ангел天使";
    const SingleInstanceGuard first(name);
    EXPECT_FALSE(first.AnotherInstanceRunning());
    const SingleInstanceGuard again(name);
    EXPECT_TRUE(again.AnotherInstanceRunning());
    const SingleInstanceGuard other("Local\\HaloquillTests.Ангел地使");
    EXPECT_FALSE(other.AnotherInstanceRunning());
}

} // namespace
} // namespace haloquill::win32
