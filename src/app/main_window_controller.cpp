// The window's events routed to the handlers, and the commands of buttons, labels and menus.

#include "app/main_window_controller.h"

#include "angels/angel_catalogue.h"
#include "design/commands.h"
#include "design/control_ids.h"

namespace haloquill {

MainWindowController::MainWindowController(const MainWindowPorts& ports, MainView& view)
    : boxes_(
          ports.messages, [this] { return IsClosing(); }, [this] { ShowPendingState(); }),
      ports_(ports), view_(view),
      choices_(model_, {ports.store, ports.runKey, boxes_, ports.executable,
                        [this] { return IsClosing(); }}),
      angels_(ports.store, ports.clock, ports.random) {}

void MainWindowController::RenderAgain() {
    renderDue_ = true;
}

void MainWindowController::ShowPendingState() {
    if (renderDue_ || rendered_ != model_) {
        renderDue_ = false;
        rendered_ = model_;
        view_.Render(model_);
    }
}

MainView& MainWindowController::Window() {
    ShowPendingState();
    return view_;
}

void MainWindowController::OnControlEvent(int id, ControlEvent event, int value) {
    const EventScope scope(*this);
    if (!IsIdle()) {
        RenderAgain(); // a control the user changed shows the state again
        return;
    }
    if (event == ControlEvent::SelectionChanged) {
        for (ChoiceList list : kAllChoiceLists) {
            if (ListControlOf(list) == id) {
                model_.Select(list, value);
                choices_.OnListChanged(list);
            }
        }
        return;
    }
    switch (id) {
    case kChkSysTray:
        model_.sysTrayChecked = value != 0;
        choices_.chkSysTray_Click();
        return;
    case kOptRun:
    case kOptDontRun:
        // The options are not toggled by the platform; a click selects the one clicked.
        choices_.UserSelectsRunOption(id == kOptRun);
        return;
    default:
        RunCommand(id);
        return;
    }
}

std::optional<int> MainWindowController::OnArrowKey(int id) {
    const EventScope scope(*this);
    // The tray box stands between the two start-up options, so the arrow keys move between
    // them here rather than through the dialog keys.
    if (!IsIdle() || (id != kOptRun && id != kOptDontRun)) {
        return std::nullopt;
    }
    const int other = id == kOptRun ? kOptDontRun : kOptRun;
    OnControlEvent(other, ControlEvent::Clicked);
    return other;
}

bool MainWindowController::RunCommand(int id) {
    const EventScope scope(*this);
    const std::optional<Command> command = CommandOf(id);
    if (!command) {
        return false;
    }
    switch (*command) {
    case Command::ShowSettings:
        mnuSettings_Click();
        break;
    case Command::ShowAbout:
        mnuAbout_Click();
        break;
    case Command::ApplyAndHide:
        cmdCalculateMoonPhase_Click();
        break;
    case Command::ConfirmExit:
        ConfirmExit();
        break;
    case Command::ShowFromTray:
        ShowFromTray();
        break;
    case Command::Quit:
        RequestUnload(UnloadReason::ProgramCode);
        break;
    case Command::OpenHelpPage:
        ports_.web.OpenHelpPage();
        break;
    case Command::OpenHomePage:
        ports_.web.OpenHomePage();
        break;
    case Command::OpenDownloadPage:
        ports_.web.OpenDownloadPage();
        break;
    case Command::OpenDonatePage:
        ports_.web.OpenDonatePage();
        break;
    case Command::OpenFullyBrandedPage:
        ports_.web.OpenFullyBrandedPage();
        break;
    case Command::OpenCoBrandPage:
        ports_.web.OpenCoBrandPage();
        break;
    case Command::Nothing:
        break;
    }
    return true;
}

void MainWindowController::mnuSettings_Click() {
    model_.page = Page::Settings;
}

void MainWindowController::mnuAbout_Click() {
    Window().ShowAboutWindow();
}

void MainWindowController::ShowAngel(int index) {
    ShowAngelIn(model_, index);
}

} // namespace haloquill
