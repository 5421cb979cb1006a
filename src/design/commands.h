#pragma once
// What each button, clickable label and menu item of the program's windows does when chosen.

#include "design/control_ids.h"

#include <optional>

namespace haloquill {

enum class Command {
    ShowSettings, // the settings page to the front
    ShowAbout,    // the About window
    ApplyAndHide, // checks the date, saves the choices and goes to the notification area
    ConfirmExit,  // asks before ending the program
    ShowFromTray, // the window back from the notification area
    Quit,         // ends the program without a question
    OpenHelpPage, // the maker's pages, in the browser
    OpenHomePage,
    OpenDownloadPage,
    OpenDonatePage,
    OpenFullyBrandedPage,
    OpenCoBrandPage,
    Nothing, // a control that is chosen but does nothing
};

// The command of control or menu item `id`; none for a control that is no command (the lists,
// the start-up options and the tray box have handlers of their own).
std::optional<Command> CommandOf(int id);

} // namespace haloquill
