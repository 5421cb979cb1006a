#pragma once
// The main window's behaviour: its initialisation, the handlers of its controls named after the
// control and the event, the daily reminder, the notification-area icon and closing. The Win32
// window calls these; every decision is made here.

#include "angels/angel_of_the_day.h"
#include "app/main_view.h"
#include "app/message_boxes.h"
#include "base/clock.h"
#include "base/random_source.h"
#include "reminder/reminder_schedule.h"
#include "settings/autorun_entry.h"
#include "settings/settings_store.h"
#include "settings/start_up_choices.h"
#include "web/web_pages.h"

#include <functional>
#include <string_view>

namespace haloquill {

// Everything outside the window that the main window works with.
struct MainWindowPorts {
    SettingsStore& store;
    const Clock& clock;
    RandomSource& random;
    MessageBoxes& messages;
    WebPageLauncher& web;
    RunKey& runKey;
    std::function<ExecutablePath()> executable; // asked afresh at every use
};

// Why the main window is asked to unload.
enum class UnloadReason {
    UserClose,   // close box, system menu or Alt+F4
    ProgramCode, // Exit commands
    SessionEnd,  // Windows logs off or shuts down
};

// Codes of the notification-area icon's mouse messages.
inline constexpr int kTrayDoubleClick = 0x0203;
inline constexpr int kTrayRightButtonUp = 0x0205;

class MainWindowController final : private StartUpControls {
  public:
    MainWindowController(const MainWindowPorts& ports, MainView& view);

    // The start after the one-copy test: loads the window, shows it unless it went to the
    // notification area, and chooses the promotional label in front.
    void StartProgram(std::string_view commandLine);

    // Prepares the window before it is first shown.
    void Form_Load(std::string_view commandLine);

    void cboHour_Click();
    void cboMinute_Click();
    void cboSecond_Click();
    void chkSysTray_Click();
    void optRun_Click();
    void optDontRun_Click();

    void mnuSettings_Click();
    void cmdSettings_Click();
    void mnuAbout_Click();
    void CoBrand_Randomize();

    // Checks the date lists, saves the start-up choices and hides in the notification area.
    void cmdCalculateMoonPhase_Click();
    bool ValidateDate();

    // Asks before quitting; No runs the apply-and-hide command instead.
    void ConfirmExit();
    // The unload request and, unless it is cancelled, the unload.
    void RequestUnload(UnloadReason reason);
    // True when the unload is cancelled (the window went to the notification area).
    bool Form_QueryUnload(UnloadReason reason);
    void Form_Unload();

    // One tick of the one-second timer.
    void Timer1_Timer();

    void AddTrayIcon();
    void RemoveTrayIcon();
    void ShowFromTray();
    void OnTrayNotification(int code);

    void SaveSettings();
    void LoadSettings();

    // Runs the command of a clicked control or menu item; false when `id` has none here.
    bool RunCommand(int id);


  private:
    // StartUpControls: changes made by code, each running the control's own handler.
    bool IsRunSelected() const override;
    bool IsSysTrayChecked() const override;
    void CheckSysTray(bool checked) override;
    void SelectRunOption(bool run) override;
    bool SelectTimeText(TimeList list, std::string_view text) override;

    void SelectChoice(ChoiceList list, int position);
    void StoreTimeChoice(ChoiceList list, std::string_view key);

    MainWindowPorts ports_;
    MainView& view_;
    AngelOfTheDay angels_;
    ReminderSchedule reminder_;
    bool startedInTray_ = false;
};

} // namespace haloquill
