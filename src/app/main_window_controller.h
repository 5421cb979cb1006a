#pragma once
// The main window's behaviour: its initialisation, the handlers of its controls named after the
// control and the event, the daily reminder, the notification-area icon and closing. The Win32
// window calls these; every decision is made here.

#include "angels/angel_of_the_day.h"
#include "app/start_up_choices.h"
#include "app/tracked_message_boxes.h"
#include "app/tray_presence.h"
#include "ports/clock.h"
#include "ports/main_view.h"
#include "ports/message_boxes.h"
#include "ports/random_source.h"
#include "ports/settings_store.h"
#include "ports/tray_event.h"
#include "ports/user_attention.h"
#include "reminder/held_reminder.h"
#include "reminder/reminder_schedule.h"
#include "reminder/user_presence.h"
#include "settings/autorun_entry.h"
#include "web/web_pages.h"

#include <functional>
#include <optional>
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
    const UserAttention& attention;
};

// Why the main window is asked to unload.
enum class UnloadReason {
    UserClose,    // close box, system menu or Alt+F4
    ProgramCode,  // Exit commands
    SessionEnd,   // Windows logs off or shuts down
    OutsideClose, // another program closes the window (End task, an installer)
};

// What happened to a control, as the window reports it.
enum class ControlEvent {
    Clicked,          // a button, option, check box, clickable label or menu item
    SelectionChanged, // the user chose another entry of a drop-down list
};

// Where the program is in its life. Events are handled while it starts and runs; once it
// unloads, nothing but the unload itself runs any more.
enum class Lifecycle {
    Starting,  // the start is under way; the reminder waits for its end
    Running,   // started; the reminder runs
    Unloading, // a closing that ends the program has begun; the choices are being saved
    Ended,     // the program was told to end
};

class MainWindowController final {
  public:
    MainWindowController(const MainWindowPorts& ports, MainView& view);

    // The state the window shows.
    const MainWindowModel& Model() const { return model_; }

    // The window's events. Each is refused while one of the program's message boxes waits for
    // an answer (only a session end or a close from outside cannot wait) and once the program
    // has begun to close, so that no handler runs inside another; the window then shows the
    // state as it was. `value` is what the control holds after the event: the position chosen
    // in a list, or whether a check box is now ticked.
    void OnControlEvent(int id, ControlEvent event, int value = 0);
    void OnTrayNotification(TrayEvent event);
    // One tick of the one-second timer.
    void Timer1_Timer();
    // The unload request and, unless it is cancelled, the unload.
    void RequestUnload(UnloadReason reason);
    // An arrow key on control `id`: for a start-up option, the other one is selected (its
    // handler runs) and its id given back for the focus; nothing for other controls.
    std::optional<int> OnArrowKey(int id);
    // The taskbar was created anew (Explorer restarted): the icon comes back if it is wanted.
    void OnTaskbarCreated();
    // The session was locked, unlocked, connected or disconnected (a WTS_* number): a reminder
    // held while the user was away comes up as they come back.
    void OnSessionChange(int change);

    // The start after the one-copy test: loads the window, chooses the promotional label in
    // front, and shows the window unless it went to the notification area.
    void StartProgram(std::string_view commandLine);

    // Prepares the window before it is first shown.
    void Form_Load(std::string_view commandLine);

    void mnuSettings_Click();
    void mnuAbout_Click();
    void CoBrand_Randomize();

    // Checks the date lists, saves the start-up choices and hides in the notification area.
    void cmdCalculateMoonPhase_Click();
    bool ValidateDate();

    // Asks before quitting; No runs the apply-and-hide command instead.
    void ConfirmExit();
    // True when the unload is cancelled (the window went to the notification area).
    bool Form_QueryUnload(UnloadReason reason);
    void Form_Unload();

    void AddTrayIcon();
    void RemoveTrayIcon();
    void ShowFromTray();

    void SaveSettings() { choices_.SaveSettings(); }

    // Runs the command of a clicked control or menu item; false when `id` has none here.
    bool RunCommand(int id);

    // True once a closing that ends the program has begun.
    bool IsClosing() const { return lifecycle_ >= Lifecycle::Unloading; }

  private:
    // The angel shown is part of the state: picture, name and description change together.
    void ShowAngel(int index);
    // The window shows the state once per event, when it changed: when the event ends (an
    // event met inside another, in a message box's or the About window's loop, is one of its
    // own), or before the window does anything else (a message box, the About window, the
    // icon's menu, the end), so that it never acts while showing an older state.
    void ShowPendingState();
    // The next showing renders even an unchanged state: a control the user changed in a
    // refused event is put back.
    void RenderAgain();
    // The window, once it shows the state as it is now.
    MainView& Window();
    // Marks one event from outside, for as long as it is handled.
    class EventScope {
      public:
        explicit EventScope(MainWindowController& controller) : controller_(controller) {
            ++controller_.eventDepth_;
        }
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;
        ~EventScope() {
            --controller_.eventDepth_;
            controller_.ShowPendingState();
        }

      private:
        MainWindowController& controller_;
    };

    // The reminder brings the window up unless the user is away or busy; then it waits.
    void BringUpForReminder(const CivilDate& today);
    // Brings the window up for the reminder, which then waits no longer.
    void BringUpNow();
    bool MayComeForwardNow() const;
    // True when an event from outside may run a handler now.
    bool IsIdle() const { return !IsClosing() && !boxes_.AnyOpen(); }

    Lifecycle lifecycle_ = Lifecycle::Starting;
    int eventDepth_ = 0;     // events being handled, one inside another
    bool renderDue_ = false; // the window shows the state again even if it did not change
    std::optional<MainWindowModel> rendered_; // the state the window last showed
    TrackedMessageBoxes boxes_;
    MainWindowPorts ports_;
    MainView& view_;
    MainWindowModel model_;
    TrayPresence tray_{model_.window};
    StartUpChoices choices_;
    AngelOfTheDay angels_;
    ReminderSchedule reminder_;
    SessionState session_;
    HeldReminder held_;
};

} // namespace haloquill
