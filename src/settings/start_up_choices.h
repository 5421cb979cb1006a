#pragma once
// Moves the start-up choices (start with Windows, start in the tray, reminder time) between the
// main window's controls and the settings store.

#include "ports/settings_store.h"

#include <string_view>

namespace haloquill {

enum class TimeList { Hour, Minute, Second };

// The controls that hold the start-up choices. Every change made through this interface runs the
// control's own change handler, as a change by the user does.
class StartUpControls {
  public:
    virtual ~StartUpControls() = default;
    virtual bool IsRunSelected() const = 0;
    virtual bool IsSysTrayChecked() const = 0;
    virtual void CheckSysTray(bool checked) = 0;
    virtual void SelectRunOption(bool run) = 0;
    // Selects the item whose text is `text`; false when the list has no such item.
    virtual bool SelectTimeText(TimeList list, std::string_view text) = 0;
};

// Stores "AutorunStartUp" and "SystemTray" from the option buttons and the check box.
void SaveSettings(SettingsStore& store, const StartUpControls& controls);

// Applies "SystemTray", "AutorunStartUp" and the reminder time to the controls. A value that
// cannot be applied leaves its control as it is; the later steps still run.
void LoadSettings(const SettingsStore& store, StartUpControls& controls);

} // namespace haloquill
