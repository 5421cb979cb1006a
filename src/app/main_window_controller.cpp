// The window's events routed to the handlers, and the commands of buttons, labels and menus.

#include "app/main_window_controller.h"

#include "angels/angel_catalogue.h"
#include "design/control_ids.h"

namespace haloquill {

MainWindowController::MainWindowController(const MainWindowPorts& ports, MainView& view)
    : boxes_(
          ports.messages, [this] { return IsClosing(); }, [this] { ShowPendingState(); }),
      ports_(ports), view_(view), angels_(ports.store, ports.clock, ports.random) {}

void MainWindowController::Render() {
    renderDue_ = true;
    if (eventDepth_ == 0) {
        ShowPendingState();
    }
}

void MainWindowController::ShowPendingState() {
    if (renderDue_) {
        renderDue_ = false;
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
        Render(); // a control the user changed shows the state again
        return;
    }
    if (event == ControlEvent::SelectionChanged) {
        for (ChoiceList list : kAllChoiceLists) {
            if (ListControlOf(list) == id) {
                model_.Select(list, value);
            }
        }
        Render();
        switch (id) {
        case kCboHour:
            cboHour_Click();
            break;
        case kCboMinute:
            cboMinute_Click();
            break;
        case kCboSecond:
            cboSecond_Click();
            break;
        default:
            break;
        }
        return;
    }
    switch (id) {
    case kChkSysTray:
        model_.sysTrayChecked = value != 0;
        Render();
        chkSysTray_Click();
        return;
    case kOptRun:
        // The options are not toggled by the platform; a click selects the one clicked.
        model_.runSelected = true;
        Render();
        optRun_Click();
        return;
    case kOptDontRun:
        model_.runSelected = false;
        Render();
        optDontRun_Click();
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
    switch (id) {
    case kCmdSettings:
        cmdSettings_Click();
        return true;
    case kMnuSettings:
        mnuSettings_Click();
        return true;
    case kMnuAbout:
        mnuAbout_Click();
        return true;
    case kCmdCalculateMoonPhase:
    case kMnuCalculateMoonPhase:
        cmdCalculateMoonPhase_Click();
        return true;
    case kCmdExit:
    case kMnuExit:
        ConfirmExit();
        return true;
    case kMnuPop:
        ShowFromTray();
        return true;
    case kMnuExit1:
        RequestUnload(UnloadReason::ProgramCode);
        return true;
    case kMnuOnline:
        ports_.web.OpenHelpPage();
        return true;
    case kMnuVisit:
    case kLabel61:
    case kAboutLblHomePage:
        ports_.web.OpenHomePage();
        return true;
    case kMnuUpdate:
        ports_.web.OpenDownloadPage();
        return true;
    case kMnuDonate:
        ports_.web.OpenDonatePage();
        return true;
    case kMnuMakeMoney:
    case kLblFullBrand:
    case kAboutLabel5:
        ports_.web.OpenFullyBrandedPage();
        return true;
    case kLblCobrand:
        ports_.web.OpenCoBrandPage();
        return true;
    case kOptDisplayOption1:
    case kOptDisplayOption2:
        return true; // these options do nothing
    default:
        return false;
    }
}

void MainWindowController::mnuSettings_Click() {
    model_.page = Page::Settings;
    Render();
}

void MainWindowController::cmdSettings_Click() {
    mnuSettings_Click();
}

void MainWindowController::mnuAbout_Click() {
    Window().ShowAboutWindow();
}

void MainWindowController::ShowAngel(int index) {
    ShowAngelIn(model_, index);
    Render();
}

} // namespace haloquill
