#pragma once
// The start-up choices of the main window: the reminder time, "Run at start-up" and the tray
// box. The handlers write each change where it belongs at once, a change made by the program
// runs the handler as the user's does, and the choices are loaded from and saved to the store.

#include "ports/main_view.h"
#include "ports/message_boxes.h"
#include "ports/run_key.h"
#include "ports/settings_store.h"
#include "settings/executable_path.h"

#include <functional>
#include <string_view>
#include <utility>

namespace haloquill {

struct StartUpChoicePorts {
    SettingsStore& store;
    RunKey& runKey;
    MessageBoxes& messages;
    std::function<ExecutablePath()> executable; // asked afresh at every use
    std::function<bool()> ending;               // true once the program has begun to end
};

class StartUpChoices {
  public:
    StartUpChoices(MainWindowModel& model, StartUpChoicePorts ports)
        : model_(model), ports_(std::move(ports)) {}

    // The handlers, run after the model took the change. Once the program has begun to end,
    // they write nothing.
    void cboHour_Click();
    void cboMinute_Click();
    void cboSecond_Click();
    void chkSysTray_Click();
    void optRun_Click();     // writes the Run entry and enables the tray box
    void optDontRun_Click(); // removes the Run entry, and disables and clears the tray box
    // The user selected an option with the mouse or a key: its handler runs, and "Run at
    // start-up" also takes away Windows' mark that turned the start off, so that it takes effect.
    void UserSelectsRunOption(bool run);
    // The handler of a time list's change; nothing for the date lists.
    void OnListChanged(ChoiceList list);

    // Changes made by the program; each runs the control's handler when it changes anything.
    void Select(ChoiceList list, int position);
    void CheckSysTray(bool checked);
    void SelectRunOption(bool run);

    // The choices as the program starts: "Run at start-up" as the Run entry has it, and the
    // tray box as "RunAtSysTray" has it while it does.
    void ShowRunEntry(bool entryExists);
    // The first start's reminder time, 7:00:00, selected and stored.
    void ChooseFirstTime();
    // Applies "SystemTray", "AutorunStartUp" and the reminder time. A value that cannot be
    // applied leaves its choice as it is; the later steps still run. A start Windows turned off
    // stands above a stored "AutorunStartUp" of true: the user chose it later, in Windows.
    void LoadSettings();
    // Stores "AutorunStartUp" and "SystemTray" from the choices.
    void SaveSettings();
    // SaveSettings, but only once LoadSettings ran: before, the choices show only their initial
    // state, which must not replace what the user chose.
    void SaveLoadedSettings();

  private:
    void WriteChoices();
    void StoreTime(ChoiceList list, std::string_view key);

    MainWindowModel& model_;
    StartUpChoicePorts ports_;
    bool loaded_ = false;
};

} // namespace haloquill
