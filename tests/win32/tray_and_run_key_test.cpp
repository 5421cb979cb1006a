// The notification-area icon against a recording stand-in for the shell, and the Run key
// against a scratch key of Wine's real registry.

#include "win32/registry_run_key.h"
#include "win32/registry_settings_store.h"
#include "win32/tray_icon.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace haloquill::win32 {
namespace {

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAW record;
};

// The shell's answers and the calls it received; one test at a time uses it.
struct FakeShell {
    std::vector<NotifyCall> calls;
    bool accept = true;
    bool acceptAdd = true; // false: an icon that is there already, or a shell that timed out
};
FakeShell* shell = nullptr;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW record) {
    shell->calls.push_back({message, *record});
    const bool refusedAdd = message == NIM_ADD && !shell->acceptAdd;
    return shell->accept && !refusedAdd ? TRUE : FALSE;
}

class TrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override { shell = &fake; }
    void TearDown() override { shell = nullptr; }

    FakeShell fake;
    HWND receiver = reinterpret_cast<HWND>(0x1234);
    HICON icon = reinterpret_cast<HICON>(0x5678);
};

TEST_F(TrayIconTest, AddsOneIconWithTheFirstRecordLayout) {
    TrayIcon tray(RecordNotify);
    tray.Add(receiver, icon, "Recent");
    tray.Add(receiver, icon, "Recent"); // already there: nothing more
    ASSERT_EQ(fake.calls.size(), 1u);
    const NotifyCall& call = fake.calls[0];
    EXPECT_EQ(call.message, static_cast<DWORD>(NIM_ADD));
    // The first layout as the processor lays it out: 152 bytes on x86, 168 on x64.
    EXPECT_EQ(call.record.cbSize, sizeof(void*) == 8 ? 168u : 152u);
    EXPECT_EQ(call.record.hWnd, receiver);
    EXPECT_EQ(call.record.uID, 1u);
    EXPECT_EQ(call.record.uFlags, 7u);
    EXPECT_EQ(call.record.uCallbackMessage, 0x0201u);
    EXPECT_EQ(call.record.hIcon, icon);
    EXPECT_STREQ(call.record.szTip, L"Recent");
}

TEST_F(TrayIconTest, RemovesOnlyWhatItAddedAndOnDestruction) {
    {
        TrayIcon tray(RecordNotify);
        tray.Remove(); // nothing to remove
        EXPECT_TRUE(fake.calls.empty());
        tray.Add(receiver, icon, "Recent");
        tray.Remove();
        ASSERT_EQ(fake.calls.size(), 2u);
        EXPECT_EQ(fake.calls[1].message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(fake.calls[1].record.uID, 1u);
        EXPECT_EQ(fake.calls[1].record.hWnd, receiver);
        tray.Add(receiver, icon, "Recent");
    }
    ASSERT_EQ(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[3].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, ANewTaskbarOrARefusalLetsTheIconBeAddedAgain) {
    TrayIcon tray(RecordNotify);
    tray.Add(receiver, icon, "Recent");
    tray.Forget(); // the taskbar was created anew
    EXPECT_TRUE(tray.Add(receiver, icon, "Recent"));
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_STREQ(fake.calls[1].record.szTip, L"Recent");

    TrayIcon refused(RecordNotify);
    fake.accept = false;
    EXPECT_FALSE(refused.Add(receiver, icon, "Recent"));
    EXPECT_TRUE(refused.IsWanted());
    fake.accept = true;
    EXPECT_TRUE(refused.Add(receiver, icon, "Recent")); // tried again, since it was refused
    EXPECT_EQ(fake.calls.back().message, static_cast<DWORD>(NIM_ADD));
}

// The tip goes out as UTF-16, so a letter outside the code page arrives as written.
TEST_F(TrayIconTest, ATipIsWideAndALongOneIsCutToWhatTheRecordHolds) {
    TrayIcon tray(RecordNotify);
    tray.Add(receiver, icon, std::string(100, 'x'));
    TrayIcon other(RecordNotify);
    other.Add(receiver, icon, "\xD0\x90\xD0\xBD\xD0\xB3\xD0\xB5\xD0\xBB"); // Cyrillic "Angel"
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(std::wstring(fake.calls[0].record.szTip), std::wstring(63, L'x'));
    EXPECT_EQ(std::wstring(fake.calls[1].record.szTip), L"\u0410\u043D\u0433\u0435\u043B");
}

TEST_F(TrayIconTest, OfferedAgainAnIconTheShellTookLateIsFoundAndKept) {
    TrayIcon tray(RecordNotify);
    fake.accept = false; // the shell timed out, and took the icon all the same
    EXPECT_FALSE(tray.Add(receiver, icon, "Recent"));
    fake.accept = true;
    fake.acceptAdd = false;
    EXPECT_TRUE(tray.Add(receiver, icon, "Recent"));
    ASSERT_EQ(fake.calls.size(), 3u);
    EXPECT_EQ(fake.calls[2].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(fake.calls[2].record.uID, 1u);
    EXPECT_TRUE(tray.Add(receiver, icon, "Recent")); // there: nothing more
    EXPECT_EQ(fake.calls.size(), 3u);
}

TEST(TrayEvents, OnlyTheLeftDoubleClickAndTheRightButtonUpMeanAnything) {
    EXPECT_EQ(TrayEventOf(WM_LBUTTONDBLCLK), TrayEvent::DoubleClick);
    EXPECT_EQ(TrayEventOf(WM_RBUTTONUP), TrayEvent::RightButtonUp);
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
                       WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_USER}) {
        EXPECT_EQ(TrayEventOf(other), TrayEvent::Other) << other;
    }
}

class RunKeyTest : public ::testing::Test {
  protected:
    static constexpr wchar_t kScratch[] = L"Software\\HaloquillTests\\Run";
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HaloquillTests"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HaloquillTests"); }

    std::optional<std::string> Stored(const char* name) {
        UniqueRegistryKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kScratch, 0, KEY_READ, key.Receive()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return ReadRegistryText(key.Get(), name);
    }

    // The value exactly as the registry holds it, in UTF-16, and its type.
    std::optional<std::wstring> StoredWide(const wchar_t* name, DWORD& type) {
        UniqueRegistryKey key;
        wchar_t data[256] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kScratch, 0, KEY_READ, key.Receive()) !=
                ERROR_SUCCESS ||
            ::RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                               &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(data, size / sizeof(wchar_t));
    }

    static constexpr wchar_t kApproved[] = L"Software\\HaloquillTests\\StartupApproved\\Run";
    RegistryRunKey runKey{HKEY_CURRENT_USER, kScratch, kApproved};
};

TEST_F(RunKeyTest, WritesTheValueCreatingTheKeyAndRemovesItSilently) {
    EXPECT_FALSE(runKey.HasValue("prog"));
    const RunKeyStatus removedAbsent = runKey.RemoveValue("prog");
    EXPECT_EQ(removedAbsent.open, 0);
    const std::string data = "\"C:\\My Tools\\prog.exe\" /STARTUP";
    const RunKeyStatus written = runKey.SetValue("prog", data);
    EXPECT_EQ(written.open, 0);
    EXPECT_EQ(written.set, 0);
    EXPECT_TRUE(runKey.HasValue("prog"));
    EXPECT_EQ(Stored("prog"), data);
    EXPECT_FALSE(runKey.HasValue("prog2"));

    // The same REG_SZ as ever: the text and one NUL.
    DWORD type = 0;
    EXPECT_EQ(StoredWide(L"prog", type), std::wstring(data.begin(), data.end()) + L'\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    EXPECT_EQ(runKey.RemoveValue("prog").open, 0);
    EXPECT_FALSE(runKey.HasValue("prog"));
}

TEST_F(RunKeyTest, AnEntryOfAnyTypeCountsAsPresent) {
    UniqueRegistryKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Receive(), nullptr);
    const DWORD number = 1;
    ::RegSetValueExA(key.Get(), "prog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    EXPECT_TRUE(runKey.HasValue("prog"));
}

TEST_F(RunKeyTest, WindowsMarkIsReadWithItsTypeAndOnlyItIsRemovedWithoutMakingTheKey) {
    EXPECT_FALSE(runKey.ReadApproval("prog").has_value());
    runKey.RemoveApproval("prog");
    UniqueRegistryKey key;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kApproved, 0, KEY_READ, key.Receive()),
              ERROR_SUCCESS)
        << "the key was made";

    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kApproved, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    const BYTE disabled[12] = {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};
    const DWORD number = 3;
    ::RegSetValueExW(key.Get(), L"prog", 0, REG_BINARY, disabled, sizeof disabled);
    ::RegSetValueExW(key.Get(), L"other", 0, REG_BINARY, disabled, sizeof disabled);
    ::RegSetValueExW(key.Get(), L"dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    const auto mark = runKey.ReadApproval("prog");
    ASSERT_TRUE(mark.has_value());
    EXPECT_EQ(mark->type, static_cast<unsigned long>(REG_BINARY));
    EXPECT_EQ(mark->bytes, std::vector<std::uint8_t>(std::begin(disabled), std::end(disabled)));
    EXPECT_EQ(runKey.ReadApproval("dword")->type, static_cast<unsigned long>(REG_DWORD));

    runKey.RemoveApproval("prog");
    EXPECT_FALSE(runKey.ReadApproval("prog").has_value());
    EXPECT_TRUE(runKey.ReadApproval("other").has_value());
}

TEST_F(RunKeyTest, NamesAndPathsOutsideTheCodePageAreStoredExactly) {
    const std::string name = "Ангел天使";
    const std::string data = "\"C:\\Программы\\Ангел\\Ангел天使.exe\" /STARTUP";
    EXPECT_FALSE(runKey.HasValue(name));
    const RunKeyStatus written = runKey.SetValue(name, data);
    EXPECT_EQ(written.open, 0);
    EXPECT_EQ(written.set, 0);
    EXPECT_TRUE(runKey.HasValue(name));
    EXPECT_FALSE(runKey.HasValue("Ангел"));
    DWORD type = 0;
    EXPECT_EQ(StoredWide(L"Ангел天使", type),
              std::wstring(L"\"C:\\Программы\\Ангел\\Ангел天使.exe\" /STARTUP") + L'\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Stored(name.c_str()), data);

    EXPECT_EQ(runKey.RemoveValue(name).open, 0);
    EXPECT_FALSE(runKey.HasValue(name));
    // Text that is not UTF-8 names no value: nothing is found, written or removed in its place.
    EXPECT_FALSE(runKey.HasValue("\xFF"));
    EXPECT_NE(runKey.SetValue("\xFF", data).set, 0);
    EXPECT_NE(runKey.SetValue(name, "\xC3").set, 0);
    EXPECT_FALSE(runKey.HasValue(name));
    EXPECT_EQ(runKey.RemoveValue("\xFF").open, 0);
}

} // namespace
} // namespace haloquill::win32
