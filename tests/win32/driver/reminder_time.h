#pragma once
// The local date and time of day as the program stores them, and the reminder times and dates
// the tests store for a program before or while it runs.

#include <string>

namespace haloquill::testing {

class ProgramDriver;

// Today as the program stores it.
std::string TodayIso(long long plusDays = 0);

inline constexpr long long kSecondsPerDay = 86400;

// The local time of day in seconds.
long long NowSeconds();
// The local time of day in milliseconds.
long long NowMilliseconds();

// Stores the reminder time. The program reads the three values at every tick, so they are
// written lowest first: a tick between two writes then sees a moment a whole minute or hour
// away from the new one, never one that falls due by mistake.
void WriteReminderTime(ProgramDriver& driver, long long secondsSinceMidnight);

// Moves the reminder half a day away, so that it cannot bring the window up while a test
// expects it hidden (a first start stores 7:00:00).
void KeepReminderAway(ProgramDriver& driver);

// Stores a later start that asks nothing and shows angel 2, drawn four days ahead: the reminder
// half a day away and the update check done yesterday.
void StoreQuietLaterStart(ProgramDriver& driver);

// Stores the reminder time `ahead` seconds from now and returns it in seconds since midnight.
// Close to midnight it first waits for the new day, so that the moment and the dates the test
// compares all fall on one day.
long long StoreReminderAhead(ProgramDriver& driver, long long ahead);

} // namespace haloquill::testing
