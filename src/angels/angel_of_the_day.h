#pragma once
// Chooses the angel of the day and remembers it in "Card", with "Date" as the first day on which
// a new angel is due; each choice is given back for the window to show.

#include "ports/clock.h"
#include "ports/main_view.h"
#include "ports/random_source.h"
#include "ports/settings_store.h"

namespace haloquill {

class AngelOfTheDay {
  public:
    AngelOfTheDay(SettingsStore& store, const Clock& clock, RandomSource& random)
        : store_(store), clock_(clock), random_(random) {}

    // Stores angel `index` under "Card", whatever it is, and gives it back.
    int KeepAngel(int index);

    // Draws one of the fourteen angels uniformly at random, stores it and gives it back.
    int DrawAngelOfTheDay();

    // True when "Date" is today or earlier, or cannot be read as a date.
    bool IsDrawDue() const { return IsDrawDue(clock_.Today()); }
    bool IsDrawDue(const CivilDate& today) const;

    // Stores tomorrow under "Date".
    void AdvanceDrawDate() { AdvanceDrawDate(clock_.Today()); }
    void AdvanceDrawDate(const CivilDate& today);

    // The angel step of the main window's start: a first run stores today and draws; a later
    // run draws when due (moving "Date" to tomorrow) and otherwise keeps the stored angel. A
    // stored "Card" that names no angel is replaced by a new draw. Gives back the angel.
    int StartUpAngel(bool firstRun);

  private:
    SettingsStore& store_;
    const Clock& clock_;
    RandomSource& random_;
};

// Shows angel `index` in the window's state: its picture in both boxes, its name and its
// description. The empty slot 0 shows an empty name and description and leaves the picture; an
// index outside the catalogue shows nothing.
void ShowAngelIn(MainWindowModel& model, int index);

} // namespace haloquill
