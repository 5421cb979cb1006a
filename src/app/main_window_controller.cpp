#include "app/main_window_controller.h"

#include "app/command_line.h"
#include "base/rounding.h"
#include "base/text_values.h"
#include "design/app_texts.h"
#include "design/control_ids.h"
#include "settings/setting_keys.h"
#include "web/update_reminder.h"

namespace haloquill {

namespace {

ChoiceList ListOf(TimeList list) {
    switch (list) {
    case TimeList::Hour:
        return ChoiceList::Hour;
    case TimeList::Minute:
        return ChoiceList::Minute;
    case TimeList::Second:
        break;
    }
    return ChoiceList::Second;
}

} // namespace

MainWindowController::MainWindowController(const MainWindowPorts& ports, MainView& view)
    : boxes_(ports.messages, closing_), ports_(ports), view_(view),
      angels_(ports.store, ports.clock, ports.random, view) {}

void MainWindowController::OnControlEvent(int id, ControlEvent event) {
    if (!IsIdle()) {
        return;
    }
    if (event == ControlEvent::SelectionChanged) {
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
        chkSysTray_Click();
        return;
    case kOptRun:
        // The options are not toggled by the platform; a click selects the one clicked.
        view_.SetRunSelected(true);
        optRun_Click();
        return;
    case kOptDontRun:
        view_.SetRunSelected(false);
        optDontRun_Click();
        return;
    default:
        RunCommand(id);
        return;
    }
}

void MainWindowController::StartProgram(std::string_view commandLine) {
    // The controls as the window's design creates them.
    view_.SetRunSelected(false);
    view_.EnableSysTray(false);
    view_.ShowAngelPicture(1);
    Form_Load(commandLine);
    if (closing_) {
        return;
    }
    if (!startedInTray_) {
        view_.ShowMainWindow(windowState_);
    }
    CoBrand_Randomize();
    started_ = true;
}

void MainWindowController::Form_Load(std::string_view commandLine) {
    SettingsStore& store = ports_.store;
    RemindOfUpdate(store, ports_.clock, boxes_, ports_.web);
    if (closing_) {
        return; // the session ended while the question was open: nothing else is touched
    }

    if (HasAutorunEntry(ports_.runKey, ports_.executable().baseName)) {
        SelectRunOption(true);
        CheckSysTray(store.ReadSetting(keys::kRunAtSysTray, "False") == "True");
    } else {
        SelectRunOption(false);
    }

    if (closing_) {
        return;
    }
    if (view_.IsSysTrayChecked() && HasStartupArgument(commandLine)) {
        AddTrayIcon();
        startedInTray_ = true;
    }

    for (ChoiceList list : kAllChoiceLists) {
        view_.FillList(list, ChoiceListEntries(list));
    }
    view_.SelectListItem(ChoiceList::Date, 0);
    view_.SelectListItem(ChoiceList::Month, 0);
    view_.SelectListItem(ChoiceList::Year, 0);

    const bool firstRun = store.ReadSetting(keys::kHour).empty();
    if (firstRun) {
        SelectChoice(ChoiceList::Hour, 0);
        SelectChoice(ChoiceList::Minute, 0);
        SelectChoice(ChoiceList::Second, 0);
        store.WriteSetting(keys::kHour, "7");
        store.WriteSetting(keys::kMinute, "0");
        store.WriteSetting(keys::kSecond, "0");
        angels_.StartUpAngel(true);
        view_.BringPageToFront(Page::Settings);
    } else {
        angels_.StartUpAngel(false);
        view_.BringPageToFront(Page::Angel);
    }

    LoadSettings();
    choicesLoaded_ = !closing_;
}

void MainWindowController::cboHour_Click() {
    StoreTimeChoice(ChoiceList::Hour, keys::kHour);
}

void MainWindowController::cboMinute_Click() {
    StoreTimeChoice(ChoiceList::Minute, keys::kMinute);
}

void MainWindowController::cboSecond_Click() {
    StoreTimeChoice(ChoiceList::Second, keys::kSecond);
}

void MainWindowController::chkSysTray_Click() {
    if (closing_) {
        return;
    }
    ports_.store.WriteSetting(keys::kRunAtSysTray, BooleanText(view_.IsSysTrayChecked()));
}

void MainWindowController::optRun_Click() {
    if (closing_) {
        return;
    }
    SetAutorunEntry(ports_.runKey, boxes_, ports_.executable(), true);
    if (closing_) {
        return;
    }
    view_.EnableSysTray(true);
}

void MainWindowController::optDontRun_Click() {
    if (closing_) {
        return;
    }
    SetAutorunEntry(ports_.runKey, boxes_, ports_.executable(), false);
    if (closing_) {
        return;
    }
    view_.EnableSysTray(false);
    CheckSysTray(false);
}

void MainWindowController::mnuSettings_Click() {
    view_.BringPageToFront(Page::Settings);
}

void MainWindowController::cmdSettings_Click() {
    mnuSettings_Click();
}

void MainWindowController::mnuAbout_Click() {
    view_.ShowAboutWindow();
}

void MainWindowController::CoBrand_Randomize() {
    const long long n = RoundHalfToEven(6.0 * ports_.random.NextUnit() + 1.0);
    if (n == 1 || n == 3 || n == 5) {
        view_.BringPromoLabelToFront(PromoLabel::CoBrand);
    } else if (n == 2 || n == 4 || n == 6) {
        view_.BringPromoLabelToFront(PromoLabel::FullBrand);
    }
}

void MainWindowController::cmdCalculateMoonPhase_Click() {
    if (!ValidateDate() || closing_) {
        return;
    }
    SaveSettings();
    SetState(WindowState::Minimized);
    AddTrayIcon();
    view_.BringPageToFront(Page::Angel);
}

bool MainWindowController::ValidateDate() {
    const int month = view_.ListSelection(ChoiceList::Month);
    const int day = view_.ListSelection(ChoiceList::Date);
    const bool shortMonth = month == 3 || month == 5 || month == 8 || month == 10;
    if ((month == 1 && (day == 29 || day == 30)) || (shortMonth && day == 30)) {
        boxes_.Show(texts::kBadDate, BoxKind::Information);
        return false;
    }
    return true;
}

void MainWindowController::ConfirmExit() {
    const BoxAnswer answer = boxes_.Show(texts::kExitQuestion, BoxKind::ExclamationYesNo);
    if (closing_) {
        return; // the program was closed while the question was open
    }
    if (answer == BoxAnswer::Yes) {
        RequestUnload(UnloadReason::ProgramCode);
    } else {
        cmdCalculateMoonPhase_Click();
    }
}

void MainWindowController::RequestUnload(UnloadReason reason) {
    if (closing_) {
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
        SetState(WindowState::Minimized);
        AddTrayIcon();
        view_.HideMainWindow();
        cancel = true;
    } else {
        closing_ = true;
        SaveLoadedChoices();
    }
    view_.BringPageToFront(Page::Angel);
    return cancel;
}

void MainWindowController::Form_Unload() {
    closing_ = true;
    SaveLoadedChoices();
    RemoveTrayIcon();
    view_.QuitProgram();
}

void MainWindowController::SaveLoadedChoices() {
    // Before the stored choices were loaded the controls show only their initial state, which
    // must not replace what the user chose.
    if (choicesLoaded_) {
        haloquill::SaveSettings(ports_.store, *this);
    }
}

void MainWindowController::Timer1_Timer() {
    if (!started_ || !IsIdle()) {
        return;
    }
    RetryTrayIcon();
    const auto time = ReadReminderTime(ports_.store);
    const LocalMoment moment = ports_.clock.Read(); // one reading, so date and time agree
    if (!reminder_.IsDue(time, moment.date, moment.time)) {
        return;
    }
    if (angels_.IsDrawDue(moment.date)) {
        angels_.AdvanceDrawDate(moment.date);
        angels_.DrawAngelOfTheDay();
    }
    view_.ShowMainWindow(windowState_);
    SetState(WindowState::Normal);
}

void MainWindowController::AddTrayIcon() {
    iconWanted_ = true;
    trayIconRetriesLeft_ = view_.AddNotificationIcon(texts::kTrayTip) ? 0 : kTrayIconRetries;
    SetState(WindowState::Minimized);
    view_.HideMainWindow();
}

void MainWindowController::RemoveTrayIcon() {
    iconWanted_ = false;
    trayIconRetriesLeft_ = 0;
    view_.RemoveNotificationIcon();
}

void MainWindowController::SetState(WindowState state) {
    // A hidden window is shown later in the state it was last given.
    windowState_ = state;
    if (view_.IsMainWindowVisible()) {
        view_.SetWindowState(state);
    }
}

std::optional<int> MainWindowController::OnArrowKey(int id) {
    // The tray box stands between the two start-up options, so the arrow keys move between
    // them here rather than through the dialog keys.
    if (!IsIdle() || (id != kOptRun && id != kOptDontRun)) {
        return std::nullopt;
    }
    const int other = id == kOptRun ? kOptDontRun : kOptRun;
    OnControlEvent(other, ControlEvent::Clicked);
    return other;
}

void MainWindowController::OnTaskbarCreated() {
    if (iconWanted_ && !closing_) {
        trayIconRetriesLeft_ = view_.AddNotificationIcon(texts::kTrayTip) ? 0 : kTrayIconRetries;
    }
}

void MainWindowController::RetryTrayIcon() {
    // A shell that is busy at logon may refuse the icon without a "TaskbarCreated" to follow.
    if (trayIconRetriesLeft_ > 0) {
        --trayIconRetriesLeft_;
        if (view_.AddNotificationIcon(texts::kTrayTip)) {
            trayIconRetriesLeft_ = 0;
        }
    }
}

void MainWindowController::ShowFromTray() {
    view_.ShowMainWindow(windowState_);
    SetState(WindowState::Normal);
    view_.RestoreProgramIcon();
    view_.CentreMainWindow();
    RemoveTrayIcon();
}

void MainWindowController::OnTrayNotification(TrayEvent event) {
    if (!IsIdle()) {
        return;
    }
    if (event == TrayEvent::DoubleClick) {
        ShowFromTray();
    } else if (event == TrayEvent::RightButtonUp) {
        view_.ShowTrayMenu();
    }
}

void MainWindowController::SaveSettings() {
    if (!closing_) {
        haloquill::SaveSettings(ports_.store, *this);
    }
}

void MainWindowController::LoadSettings() {
    haloquill::LoadSettings(ports_.store, *this);
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

bool MainWindowController::IsRunSelected() const {
    return view_.IsRunSelected();
}

bool MainWindowController::IsSysTrayChecked() const {
    return view_.IsSysTrayChecked();
}

void MainWindowController::CheckSysTray(bool checked) {
    if (closing_ || view_.IsSysTrayChecked() == checked) {
        return;
    }
    view_.SetSysTrayChecked(checked);
    chkSysTray_Click();
}

void MainWindowController::SelectRunOption(bool run) {
    if (closing_ || view_.IsRunSelected() == run) {
        return;
    }
    view_.SetRunSelected(run);
    if (run) {
        optRun_Click();
    } else {
        optDontRun_Click();
    }
}

bool MainWindowController::SelectTimeText(TimeList list, std::string_view text) {
    const ChoiceList choice = ListOf(list);
    const int position = FindChoice(choice, text);
    if (position < 0) {
        return false;
    }
    SelectChoice(choice, position);
    return true;
}

void MainWindowController::SelectChoice(ChoiceList list, int position) {
    if (closing_ || view_.ListSelection(list) == position) {
        return;
    }
    view_.SelectListItem(list, position);
    switch (list) {
    case ChoiceList::Hour:
        cboHour_Click();
        break;
    case ChoiceList::Minute:
        cboMinute_Click();
        break;
    case ChoiceList::Second:
        cboSecond_Click();
        break;
    default:
        break;
    }
}

void MainWindowController::StoreTimeChoice(ChoiceList list, std::string_view key) {
    if (closing_) {
        return;
    }
    const int position = view_.ListSelection(list);
    const auto& entries = ChoiceListEntries(list);
    if (position >= 0 && position < static_cast<int>(entries.size())) {
        ports_.store.WriteSetting(key, entries[static_cast<std::size_t>(position)]);
    }
}

} // namespace haloquill
