#pragma once
// Chooses the angel of the day, shows it and remembers it in "Card", with "Date" as the first
// day on which a new angel is due.

#include "ports/angel_display.h"
#include "ports/clock.h"
#include "ports/random_source.h"
#include "ports/settings_store.h"

namespace haloquill {

class AngelOfTheDay {
  public:
    AngelOfTheDay(SettingsStore& store, const Clock& clock, RandomSource& random,
                  AngelDisplay& display)
        : store_(store), clock_(clock), random_(random), display_(display) {}

    // Shows angel `index` and stores it under "Card". An index outside the catalogue shows
    // nothing but is still stored.
    void ShowAngel(int index);

    // Draws one of the fourteen angels uniformly at random and shows it.
    void DrawAngelOfTheDay();

    // True when "Date" is today or earlier, or cannot be read as a date.
    bool IsDrawDue() const { return IsDrawDue(clock_.Today()); }
    bool IsDrawDue(const CivilDate& today) const;

    // Stores tomorrow under "Date".
    void AdvanceDrawDate() { AdvanceDrawDate(clock_.Today()); }
    void AdvanceDrawDate(const CivilDate& today);

    // The angel step of the main window's start: a first run stores today and draws; a later
    // run draws when due (moving "Date" to tomorrow) and otherwise shows the stored angel. A
    // stored "Card" that names no angel is replaced by a new draw.
    void StartUpAngel(bool firstRun);

  private:
    SettingsStore& store_;
    const Clock& clock_;
    RandomSource& random_;
    AngelDisplay& display_;
};

} // namespace haloquill
