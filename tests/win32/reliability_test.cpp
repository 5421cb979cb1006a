// Hostile stored values, crashes and concurrent starts against the real Haloquill.exe under
// Wine. The hostile values come from one table of what the registry can hold and one rule per key
// for what the program must repair; everything else must stay exactly as it was.

#include "angels/angel_catalogue.h"
#include "base/civil_date.h"
#include "base/text_values.h"
#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

// A stored value as the registry holds it: text of some type, a number, bytes, or a subkey.
struct Hostile {
    std::string label;
    DWORD type = REG_SZ;
    std::string data; // text for the string types, raw bytes otherwise
    bool subkey = false;
    bool utf16 = false; // data holds the UTF-16 code units of the text, as they are stored
};

// What only the registry can hold. How a start takes any text edited by hand is the core's
// decision, proved natively (MainWindowStart.EveryHandEditedText...).
std::vector<Hostile> HostileTable() {
    std::vector<Hostile> values;
    values.push_back({"empty", REG_SZ, ""});
    values.push_back({"64 KiB", REG_SZ, std::string(65536, '7')});
    values.push_back({"bytes above 127", REG_SZ, "\xC3\xA9\xFF\x80"});
    // Half a surrogate pair: stored text that is not valid UTF-16 and so is no text at all.
    const wchar_t lone[] = {L'7', static_cast<wchar_t>(0xD800)};
    values.push_back({"lone surrogate", REG_SZ,
                      std::string(reinterpret_cast<const char*>(lone), sizeof lone), false, true});
    values.push_back({"REG_EXPAND_SZ 3", REG_EXPAND_SZ, "3"});
    const DWORD number = 3;
    values.push_back({"REG_DWORD 3", REG_DWORD,
                      std::string(reinterpret_cast<const char*>(&number), sizeof number)});
    values.push_back({"REG_BINARY", REG_BINARY, std::string("\x01\x02\x03", 3)});
    values.push_back({"subkey", REG_SZ, "", true});
    return values;
}

// What the program reads back: the text for the string types, nothing for other types and for
// text that is not valid UTF-16.
std::optional<std::string> AsRead(const Hostile& value) {
    if (value.subkey || value.utf16 || (value.type != REG_SZ && value.type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return value.data;
}

Values LaterStart() {
    return {{"Hour", "7"},
            {"Minute", "0"},
            {"Second", "0"},
            {"Date", TodayIso(3)},
            {"Card", "5"},
            {"UpdateCheckDate", TodayIso()},
            {"RunAtSysTray", "False"},
            {"SystemTray", "False"},
            {"AutorunStartUp", "False"}};
}

void Store(ProgramDriver& driver, const Values& values, const std::string& key,
           const Hostile& hostile) {
    for (const auto& [name, value] : values) {
        if (name != key) {
            driver.Settings().WriteSetting(name, value);
        }
    }
    win32::UniqueRegistryKey section;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, driver.Settings().SectionPath().c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, section.Receive(), nullptr);
    if (hostile.subkey) {
        win32::UniqueRegistryKey subkey;
        ::RegCreateKeyExA(section.Get(), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          subkey.Receive(), nullptr);
        return;
    }
    std::string data = hostile.data;
    if (hostile.utf16) {
        data.append(2, '\0');
        ::RegSetValueExW(section.Get(), win32::ToWide(key).value_or(std::wstring()).c_str(), 0,
                         hostile.type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size()));
        return;
    }
    if (hostile.type == REG_SZ || hostile.type == REG_EXPAND_SZ) {
        data.push_back('\0');
    }
    ::RegSetValueExA(section.Get(), key.c_str(), 0, hostile.type,
                     reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

bool IsAngelIndex(const std::string& text) {
    const auto index = ParseWholeNumber(text);
    return index && *index >= 1 && *index <= 14 && std::to_string(*index) == text;
}

// The values the program must leave as they were, and checks of the ones it may repair.
struct Rule {
    std::set<std::string> mayChange;
    std::function<void(const Values& after, const std::optional<std::string>& read)> check;
};

Rule RuleFor(const std::string& key) {
    if (key == "Card") {
        return {{"Card"}, [](const Values& after, const std::optional<std::string>& read) {
                    const auto index = ParseWholeNumber(read.value_or(""));
                    if (index && *index >= 1 && *index <= 14) {
                        EXPECT_EQ(after.at("Card"), std::to_string(*index)); // shown and kept
                    } else {
                        EXPECT_TRUE(IsAngelIndex(after.at("Card"))); // a new angel drawn
                    }
                }};
    }
    if (key == "Date") {
        return {{"Date", "Card"}, [](const Values& after, const std::optional<std::string>& read) {
                    if (!ParseIsoDate(read.value_or(""))) {
                        EXPECT_EQ(after.at("Date"), TodayIso(1));
                    }
                    EXPECT_TRUE(IsAngelIndex(after.at("Card")));
                }};
    }
    if (key == "Hour") {
        // Absent or empty means a first start: the defaults are written again.
        return {{"Hour", "Minute", "Second", "Date", "Card"},
                [](const Values& after, const std::optional<std::string>& read) {
                    if (read.value_or("").empty()) {
                        EXPECT_EQ(after.at("Hour"), "7");
                        EXPECT_EQ(after.at("Date"), TodayIso());
                    }
                    EXPECT_TRUE(IsAngelIndex(after.at("Card")));
                }};
    }
    if (key == "AutorunStartUp") {
        return {{"RunAtSysTray"}, [](const Values&, const std::optional<std::string>&) {}};
    }
    if (key == "UpdateCheckDate") {
        // Anything that is not a date counts as a first run: today is stored, nothing asked.
        return {{"UpdateCheckDate"}, [](const Values& after, const std::optional<std::string>&) {
                    EXPECT_EQ(after.at("UpdateCheckDate"), TodayIso());
                }};
    }
    return {{}, [](const Values&, const std::optional<std::string>&) {}};
}

class HostileValues : public ::testing::TestWithParam<std::string> {};

TEST_P(HostileValues, ProgramStartsShowsAnAngelAndRepairsOnlyWhatItMay) {
    const std::string key = GetParam();
    const Rule rule = RuleFor(key);
    ProgramDriver driver("HqHostile" + key);
    for (const Hostile& hostile : HostileTable()) {
        SCOPED_TRACE(key + " = " + hostile.label);
        driver.ClearSettings();
        const Values before = LaterStart();
        Store(driver, before, key, hostile);
        auto program = driver.Start();
        ASSERT_NE(program->WaitForMainWindow(), nullptr);
        EXPECT_TRUE(program->IsRunning());
        EXPECT_TRUE(program->MessageBoxes().empty());
        const std::string name = program->Text(kLblCardName);
        const Values after = driver.AllSettings();
        const auto shown = ParseWholeNumber(after.count("Card") ? after.at("Card") : "");
        ASSERT_TRUE(shown && *shown >= 1 && *shown <= 14) << after.at("Card");
        EXPECT_EQ(name, LookUpAngel(*shown)->Name);
        for (const auto& [name2, value] : before) {
            if (name2 != key && !rule.mayChange.count(name2)) {
                EXPECT_EQ(after.count(name2) ? after.at(name2) : "<absent>", value) << name2;
            }
        }
        rule.check(after, AsRead(hostile));
        program->Kill();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKey, HostileValues,
                         ::testing::Values("Hour", "Minute", "Second", "Date", "Card",
                                           "RunAtSysTray", "SystemTray", "AutorunStartUp",
                                           "UpdateCheckDate"));

// Local time `seconds` from now, as the three stored texts.
Values ReminderIn(int seconds) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    int total = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + seconds) % 86400;
    return {{"Hour", std::to_string(total / 3600)},
            {"Minute", std::to_string(total / 60 % 60)},
            {"Second", std::to_string(total % 60)}};
}

TEST(Reliability, ReminderStillComesWithHostileValuesElsewhere) {
    for (const char* key : {"Card", "Date", "AutorunStartUp", "SystemTray", "UpdateCheckDate"}) {
        SCOPED_TRACE(key);
        ProgramDriver driver(std::string("HqHostileReminder") + key);
        Store(driver, LaterStart(), key, {"64 KiB", REG_SZ, std::string(65536, 'x')});
        auto program = driver.Start();
        ASSERT_NE(program->WaitForMainWindow(), nullptr);
        program->PressCloseBox(); // into the notification area
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(program->MainWindow()); }));
        for (const auto& [name, value] : ReminderIn(3)) {
            driver.Settings().WriteSetting(name, value);
        }
        EXPECT_TRUE(
            WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; }, 10s));
        program->Kill();
    }
}

TEST(Reliability, FiveCopiesAtOnceLeaveExactlyOneRunning) {
    ProgramDriver driver("HqFiveAtOnce");
    for (const auto& [name, value] : LaterStart()) {
        driver.Settings().WriteSetting(name, value);
    }
    std::vector<std::unique_ptr<RunningProgram>> programs;
    for (int copy = 0; copy < 5; ++copy) {
        programs.push_back(driver.Start());
    }
    // Every refused copy shows its one message; answer them all.
    int refused = 0;
    for (auto& program : programs) {
        if (WaitUntil([&] { return !program->MessageBoxes().empty() || !program->IsRunning(); },
                      3s)) {
            const auto boxes = program->MessageBoxes();
            if (!boxes.empty()) {
                EXPECT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0].text, "Application is already running");
                ::PostMessageA(boxes[0].window, WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(program->WaitForExit());
                ++refused;
            }
        }
    }
    EXPECT_EQ(refused, 4);
    int running = 0;
    for (auto& program : programs) {
        if (program->IsRunning()) {
            ++running;
            ASSERT_NE(program->WaitForMainWindow(), nullptr);
            EXPECT_TRUE(::IsWindowVisible(program->MainWindow()));
        }
    }
    EXPECT_EQ(running, 1);
    // Only the running copy's own start wrote: the stored angel again, nothing else changed.
    EXPECT_EQ(driver.AllSettings(), LaterStart());
}

TEST(Reliability, KilledAtRandomMomentsTheNextStartWorksAndNothingIsHalfWritten) {
    ProgramDriver driver("HqKilled");
    std::mt19937 random(20261208);
    for (int kill = 0; kill < 12; ++kill) {
        if (kill % 4 == 0) {
            driver.ClearSettings(); // also in the middle of a first start
        }
        auto program = driver.Start();
        ::Sleep(std::uniform_int_distribution<DWORD>(0, 700)(random));
        program->Kill();
        for (const auto& [name, value] : driver.AllSettings()) {
            SCOPED_TRACE(name + " = " + value);
            if (name == "Card") {
                EXPECT_TRUE(IsAngelIndex(value));
            } else if (name == "Date" || name == "UpdateCheckDate") {
                EXPECT_TRUE(ParseIsoDate(value).has_value());
            } else if (name == "Hour" || name == "Minute" || name == "Second") {
                EXPECT_TRUE(ParseWholeNumber(value).has_value());
            } else {
                EXPECT_TRUE(value == "True" || value == "False");
            }
        }
    }
    auto program = driver.Start();
    ASSERT_NE(program->WaitForMainWindow(), nullptr);
    EXPECT_TRUE(IsAngelIndex(driver.Settings().ReadSetting("Card")));
    EXPECT_EQ(program->Text(kLblCardName),
              LookUpAngel(*ParseWholeNumber(driver.Settings().ReadSetting("Card")))->Name);
}

TEST(Reliability, TwoNamesRunSideBySideWithSeparateSettings) {
    ProgramDriver first("HqSideA");
    ProgramDriver second("HqSideB");
    first.Settings().WriteSetting("Hour", "9");
    for (const auto& [name, value] : LaterStart()) {
        if (name != "Hour") {
            first.Settings().WriteSetting(name, value);
        }
    }
    auto a = first.Start();
    auto b = second.Start();
    ASSERT_NE(a->WaitForMainWindow(), nullptr);
    ASSERT_NE(b->WaitForMainWindow(), nullptr);
    EXPECT_TRUE(a->MessageBoxes().empty());
    EXPECT_TRUE(b->MessageBoxes().empty());
    EXPECT_EQ(first.Settings().ReadSetting("Hour"), "9");
    EXPECT_EQ(second.Settings().ReadSetting("Hour"), "7"); // its own first start
    ASSERT_TRUE(a->ShowSettingsPage());
    EXPECT_EQ(a->Text(kCboHour), "9");
    EXPECT_EQ(b->Text(kCboHour), "7");
}

TEST(Reliability, PagesThatCannotOpenChangeNothingAndShowNothing) {
    // The prefix's browser points at a program that does not exist.
    BrowserHandlerOverride browser("\"C:\\nowhere\\browser.exe\" \"%1\"");
    ProgramDriver driver("HqNoBrowser");
    for (const auto& [name, value] : LaterStart()) {
        driver.Settings().WriteSetting(name, value);
    }
    auto program = driver.Start();
    ASSERT_NE(program->WaitForMainWindow(), nullptr);
    const Values before = driver.AllSettings();
    for (ControlId id : {kMnuOnline, kMnuVisit, kMnuUpdate, kMnuDonate, kMnuMakeMoney}) {
        ::PostMessageA(program->MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // Wait until the program has handled all five commands.
    ASSERT_TRUE(program->WaitUntilIdle());
    EXPECT_TRUE(program->IsRunning());
    EXPECT_TRUE(program->MessageBoxes().empty());
    EXPECT_TRUE(::IsWindowVisible(program->MainWindow()));
    EXPECT_EQ(driver.AllSettings(), before);
}

} // namespace
} // namespace haloquill::testing
