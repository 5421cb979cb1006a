// Applying the choices, the date check, the Exit question and the closing of the program.

#include "app/main_window_controller.h"

#include "design/app_texts.h"

namespace haloquill {

void MainWindowController::cmdCalculateMoonPhase_Click() {
    if (!ValidateDate() || IsClosing()) {
        return;
    }
    SaveSettings();
    AddTrayIcon();
    model_.page = Page::Angel;
}

bool MainWindowController::ValidateDate() {
    const int month = model_.Selection(ChoiceList::Month);
    const int day = model_.Selection(ChoiceList::Date);
    const bool shortMonth = month == 3 || month == 5 || month == 8 || month == 10;
    if ((month == 1 && (day == 29 || day == 30)) || (shortMonth && day == 30)) {
        boxes_.Show(texts::kBadDate, BoxKind::Information);
        return false;
    }
    return true;
}

void MainWindowController::ConfirmExit() {
    const BoxAnswer answer = boxes_.Show(texts::kExitQuestion, BoxKind::ExclamationYesNo);
    if (IsClosing()) {
        return; // the program was closed while the question was open
    }
    if (answer == BoxAnswer::Yes) {
        RequestUnload(UnloadReason::ProgramCode);
    } else {
        cmdCalculateMoonPhase_Click();
    }
}

void MainWindowController::RequestUnload(UnloadReason reason) {
    const EventScope scope(*this);
    if (IsClosing()) {
        return;
    }
    // The close box waits like any other event; a session end or a close from outside cannot.
    const bool mustEnd = reason == UnloadReason::SessionEnd || reason == UnloadReason::OutsideClose;
    if (!mustEnd && boxes_.AnyOpen()) {
        return;
    }
    if (!Form_QueryUnload(reason)) {
        Form_Unload();
    }
}

bool MainWindowController::Form_QueryUnload(UnloadReason reason) {
    bool cancel = false;
    if (reason == UnloadReason::UserClose) {
        AddTrayIcon();
        cancel = true;
    } else {
        lifecycle_ = Lifecycle::Unloading;
        choices_.SaveLoadedSettings();
    }
    model_.page = Page::Angel;
    return cancel;
}

void MainWindowController::Form_Unload() {
    lifecycle_ = Lifecycle::Unloading;
    choices_.SaveLoadedSettings();
    RemoveTrayIcon();
    lifecycle_ = Lifecycle::Ended;
    Window().QuitProgram();
}

} // namespace haloquill
