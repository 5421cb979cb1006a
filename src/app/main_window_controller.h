#pragma once
// The main window's behaviour: its initialisation and the handlers of its controls, named after
// the control and the event. The Win32 window calls these; every decision is made here.

#include "angels/angel_of_the_day.h"
#include "app/main_view.h"
#include "base/clock.h"
#include "base/random_source.h"
#include "settings/settings_store.h"
#include "settings/start_up_choices.h"
#include "web/web_pages.h"

namespace haloquill {

class MainWindowController final : private StartUpControls {
  public:
    MainWindowController(SettingsStore& store, const Clock& clock, RandomSource& random,
                         MainView& view, WebPageLauncher& web);

    // Prepares the window before it is first shown.
    void Form_Load();

    void cboHour_Click();
    void cboMinute_Click();
    void cboSecond_Click();
    void chkSysTray_Click();
    void optRun_Click();
    void optDontRun_Click();

    // Brings the settings page to the front; nothing else changes.
    void mnuSettings_Click();
    void cmdSettings_Click();
    void mnuAbout_Click();

    // Chooses at random which promotional label is in front; run once per start.
    void CoBrand_Randomize();

    // Runs the command of a clicked control or menu item; false when `id` has none here.
    bool RunCommand(int id);

    void SaveSettings();
    void LoadSettings();

    AngelOfTheDay& Angels() { return angels_; }

  private:
    // StartUpControls: changes made by code, each running the control's own handler.
    bool IsRunSelected() const override;
    bool IsSysTrayChecked() const override;
    void CheckSysTray(bool checked) override;
    void SelectRunOption(bool run) override;
    bool SelectTimeText(TimeList list, std::string_view text) override;

    void SelectChoice(ChoiceList list, int position);
    void StoreTimeChoice(ChoiceList list, std::string_view key);

    SettingsStore& store_;
    RandomSource& random_;
    MainView& view_;
    WebPageLauncher& web_;
    AngelOfTheDay angels_;
};

} // namespace haloquill
