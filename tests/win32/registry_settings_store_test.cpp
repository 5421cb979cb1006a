// The settings store against Wine's real registry, each test in its own scratch application name.

#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace haloquill::win32 {
namespace {

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }

    void Remove() {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Corvel\\" + nameA).c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Corvel\\" + nameB).c_str());
    }

    // Names of this test alone: CTest runs the tests of this file side by side.
    static std::string ScratchName(const char* prefix) {
        return prefix +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    const std::string nameA = ScratchName("HqStoreA");
    const std::string nameB = ScratchName("HqStoreB");

    UniqueRegistryKey OpenSection(const std::string& name) {
        UniqueRegistryKey key;
        const std::string path = std::string("Software\\Corvel\\") + name + "\\Settings";
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          key.Receive(), nullptr);
        return key;
    }

    std::string application = nameA;
    RegistrySettingsStore store{[this] { return application; }};
};

TEST_F(RegistryStoreTest, AbsentKeyReadsAsTheDefault) {
    EXPECT_FALSE(store.Read("Hour").has_value());
    EXPECT_EQ(store.ReadSetting("RunAtSysTray", "False"), "False");
    EXPECT_EQ(store.ReadSetting("Hour"), "");
}

TEST_F(RegistryStoreTest, WritesCreateTheSectionAndReadBackExactly) {
    ASSERT_TRUE(store.WriteSetting("Hour", "7"));
    ASSERT_TRUE(store.WriteSetting("Hour", "15"));
    ASSERT_TRUE(store.WriteSetting("Empty", ""));
    EXPECT_EQ(store.ReadSetting("Hour"), "15");
    EXPECT_EQ(store.Read("Empty"), std::string());

    auto section = OpenSection(nameA);
    DWORD type = 0;
    char data[16] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(::RegQueryValueExA(section.Get(), "Hour", nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 3u); // "15" and its NUL
}

TEST_F(RegistryStoreTest, ApplicationNameIsAskedAtEveryAccess) {
    store.WriteSetting("Card", "3");
    application = nameB;
    EXPECT_FALSE(store.Read("Card").has_value());
    store.WriteSetting("Card", "9");
    application = nameA;
    EXPECT_EQ(store.ReadSetting("Card"), "3");
}

TEST_F(RegistryStoreTest, DataWithoutNulAndLongTextsAreReadWhole) {
    auto section = OpenSection(nameA);
    const char raw[] = {'1', '4'};
    ASSERT_EQ(::RegSetValueExA(section.Get(), "Card", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw),
                               sizeof raw),
              ERROR_SUCCESS);
    EXPECT_EQ(store.ReadSetting("Card"), "14");

    const std::string longText(65536, 'x');
    ASSERT_TRUE(store.WriteSetting("Date", longText));
    EXPECT_EQ(store.ReadSetting("Date"), longText);
}

TEST_F(RegistryStoreTest, ValuesOfOtherTypesReadAsAbsentAndAreNeverChanged) {
    auto section = OpenSection(nameA);
    const DWORD number = 7;
    ::RegSetValueExA(section.Get(), "Hour", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    const BYTE bytes[] = {1, 2, 3};
    ::RegSetValueExA(section.Get(), "Card", 0, REG_BINARY, bytes, sizeof bytes);
    EXPECT_FALSE(store.Read("Hour").has_value());
    EXPECT_FALSE(store.Read("Card").has_value());

    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ::RegQueryValueExA(section.Get(), "Hour", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 7u);
}

TEST_F(RegistryStoreTest, SubkeyWhereAValueShouldBeReadsAsAbsent) {
    UniqueRegistryKey subkey;
    ::RegCreateKeyExA(HKEY_CURRENT_USER,
                      ("Software\\Corvel\\" + nameA + "\\Settings\\Hour").c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, subkey.Receive(), nullptr);
    EXPECT_FALSE(store.Read("Hour").has_value());
    EXPECT_TRUE(store.WriteSetting("Hour", "7"));
    EXPECT_EQ(store.ReadSetting("Hour"), "7");
}

// The section of `application` as the registry names it, opened with the wide calls only.
UniqueRegistryKey OpenWideSection(const std::wstring& application) {
    UniqueRegistryKey key;
    const std::wstring path = L"Software\\Corvel\\" + application + L"\\Settings";
    ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Receive(), nullptr);
    return key;
}

std::optional<std::wstring> StoredWide(HKEY section, const wchar_t* name) {
    wchar_t data[64] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(section, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::wstring(data, size / sizeof(wchar_t));
}

TEST_F(RegistryStoreTest, ApplicationNamesAndTextsOutsideTheCodePageAreKeptExactly) {
    // Cyrillic, Polish and Chinese: no ANSI code page holds them all.
    const std::wstring wideName = L"HqStoreДмитрийŁukasz张伟";
    application = "HqStoreДмитрийŁukasz张伟";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Corvel\\" + wideName).c_str());
    EXPECT_FALSE(store.Read("Hour").has_value());
    ASSERT_TRUE(store.WriteSetting("Hour", "7"));
    ASSERT_TRUE(store.WriteSetting("Date", "Łukasz 张伟"));
    EXPECT_EQ(store.ReadSetting("Hour"), "7");
    EXPECT_EQ(store.ReadSetting("Date"), "Łukasz 张伟");

    auto section = OpenWideSection(wideName);
    EXPECT_EQ(StoredWide(section.Get(), L"Hour"), std::wstring(L"7") + L'\0');
    EXPECT_EQ(StoredWide(section.Get(), L"Date"), std::wstring(L"Łukasz 张伟") + L'\0');
    section.Reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Corvel\\" + wideName).c_str());
}

TEST_F(RegistryStoreTest, TextThatIsNotUtf16ReadsAsAbsentAndIsLeftAsItWas) {
    auto section = OpenSection(nameA);
    const wchar_t lone[] = {L'1', static_cast<wchar_t>(0xD800), L'\0'}; // half a pair
    ASSERT_EQ(::RegSetValueExW(section.Get(), L"Card", 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(lone), sizeof lone),
              ERROR_SUCCESS);
    EXPECT_FALSE(store.Read("Card").has_value());
    EXPECT_EQ(store.ReadSetting("Card", "none"), "none");
    EXPECT_EQ(StoredWide(section.Get(), L"Card"), std::wstring(lone, 3));

    // An odd last byte is no character; the text before it reads whole.
    const BYTE odd[] = {'1', 0, '4', 0, 'x'};
    ASSERT_EQ(::RegSetValueExW(section.Get(), L"Hour", 0, REG_SZ, odd, sizeof odd), ERROR_SUCCESS);
    EXPECT_EQ(store.ReadSetting("Hour"), "14");

    // Text that is not UTF-8 is never written, and what was stored stays.
    ASSERT_TRUE(store.WriteSetting("Minute", "5"));
    EXPECT_FALSE(store.WriteSetting("Minute", "\xFF"));
    EXPECT_FALSE(store.WriteSetting("\xC3", "5"));
    EXPECT_EQ(store.ReadSetting("Minute"), "5");
    application = "HqStore\xFF";
    EXPECT_FALSE(store.WriteSetting("Minute", "6"));
    EXPECT_FALSE(store.Read("Minute").has_value());
}

} // namespace
} // namespace haloquill::win32
