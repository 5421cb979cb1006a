#include "app/main_window_controller.h"

#include "app/control_ids.h"
#include "base/text_values.h"
#include "settings/setting_keys.h"

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

MainWindowController::MainWindowController(SettingsStore& store, const Clock& clock,
                                           RandomSource& random, MainView& view,
                                           WebPageLauncher& web)
    : store_(store), random_(random), view_(view), web_(web), angels_(store, clock, random, view) {}

void MainWindowController::Form_Load() {
    for (ChoiceList list : kAllChoiceLists) {
        view_.FillList(list, ChoiceListEntries(list));
    }
    view_.SelectListItem(ChoiceList::Date, 0);
    view_.SelectListItem(ChoiceList::Month, 0);
    view_.SelectListItem(ChoiceList::Year, 0);

    const bool firstRun = store_.ReadSetting(keys::kHour).empty();
    if (firstRun) {
        SelectChoice(ChoiceList::Hour, 0);
        SelectChoice(ChoiceList::Minute, 0);
        SelectChoice(ChoiceList::Second, 0);
        store_.WriteSetting(keys::kHour, "7");
        store_.WriteSetting(keys::kMinute, "0");
        store_.WriteSetting(keys::kSecond, "0");
        angels_.StartUpAngel(true);
        view_.BringPageToFront(Page::Settings);
    } else {
        angels_.StartUpAngel(false);
        view_.BringPageToFront(Page::Angel);
    }

    LoadSettings();
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
    store_.WriteSetting(keys::kRunAtSysTray, BooleanText(view_.IsSysTrayChecked()));
}

void MainWindowController::optRun_Click() {
    view_.EnableSysTray(true);
}

void MainWindowController::optDontRun_Click() {
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
    const long long n = RoundHalfToEven(6.0 * random_.NextUnit() + 1.0);
    if (n == 1 || n == 3 || n == 5) {
        view_.BringPromoLabelToFront(PromoLabel::CoBrand);
    } else if (n == 2 || n == 4 || n == 6) {
        view_.BringPromoLabelToFront(PromoLabel::FullBrand);
    }
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
    case kMnuOnline:
        web_.OpenHelpPage();
        return true;
    case kMnuVisit:
    case kLabel61:
        web_.OpenHomePage();
        return true;
    case kMnuUpdate:
        web_.OpenDownloadPage();
        return true;
    case kMnuDonate:
        web_.OpenDonatePage();
        return true;
    case kMnuMakeMoney:
    case kLblFullBrand:
        web_.OpenFullyBrandedPage();
        return true;
    case kLblCobrand:
        web_.OpenCoBrandPage();
        return true;
    case kOptDisplayOption1:
    case kOptDisplayOption2:
        return true; // these options do nothing
    default:
        return false;
    }
}

void MainWindowController::SaveSettings() {
    haloquill::SaveSettings(store_, *this);
}

void MainWindowController::LoadSettings() {
    haloquill::LoadSettings(store_, *this);
}

bool MainWindowController::IsRunSelected() const {
    return view_.IsRunSelected();
}

bool MainWindowController::IsSysTrayChecked() const {
    return view_.IsSysTrayChecked();
}

void MainWindowController::CheckSysTray(bool checked) {
    if (view_.IsSysTrayChecked() == checked) {
        return;
    }
    view_.SetSysTrayChecked(checked);
    chkSysTray_Click();
}

void MainWindowController::SelectRunOption(bool run) {
    if (view_.IsRunSelected() == run) {
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
    if (view_.ListSelection(list) == position) {
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
    const int position = view_.ListSelection(list);
    const auto& entries = ChoiceListEntries(list);
    if (position >= 0 && position < static_cast<int>(entries.size())) {
        store_.WriteSetting(key, entries[static_cast<std::size_t>(position)]);
    }
}

} // namespace haloquill
