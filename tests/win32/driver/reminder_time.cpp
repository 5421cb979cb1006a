#include "driver/reminder_time.h"

#include "driver/program_driver.h"

#include "base/civil_date.h"

#include <windows.h>

namespace haloquill::testing {

std::string TodayIso(long long plusDays) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return FormatIsoDate(AddDays(CivilDate{now.wYear, now.wMonth, now.wDay}, plusDays));
}

long long NowSeconds() {
    return NowMilliseconds() / 1000;
}

long long NowMilliseconds() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return (now.wHour * 3600LL + now.wMinute * 60LL + now.wSecond) * 1000LL + now.wMilliseconds;
}

void WriteReminderTime(ProgramDriver& driver, long long secondsSinceMidnight) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Second", std::to_string(secondsSinceMidnight % 60));
    settings.WriteSetting("Minute", std::to_string(secondsSinceMidnight / 60 % 60));
    settings.WriteSetting("Hour", std::to_string(secondsSinceMidnight / 3600));
}

void KeepReminderAway(ProgramDriver& driver) {
    WriteReminderTime(driver, (NowSeconds() + kSecondsPerDay / 2) % kSecondsPerDay);
}

void StoreQuietLaterStart(ProgramDriver& driver) {
    KeepReminderAway(driver);
    auto& settings = driver.Settings();
    settings.WriteSetting("Card", "2");
    settings.WriteSetting("Date", TodayIso(4));
    settings.WriteSetting("UpdateCheckDate", TodayIso(-1));
}

long long StoreReminderAhead(ProgramDriver& driver, long long ahead) {
    if (const long long left = kSecondsPerDay - NowSeconds(); left < ahead + 15) {
        ::Sleep(static_cast<DWORD>((left + 1) * 1000));
    }
    const long long moment = NowSeconds() + ahead;
    WriteReminderTime(driver, moment);
    return moment;
}

} // namespace haloquill::testing
