#include "app/render_steps.h"

namespace haloquill {

namespace {

// True when `part` of the model differs from what the controls show.
template <typename Part>
bool Changed(const MainWindowModel* before, const MainWindowModel& now,
             Part MainWindowModel::*part) {
    return !before || before->*part != now.*part;
}

} // namespace

std::vector<ControlStep> ChoiceSteps(const MainWindowModel* before, const MainWindowModel& now) {
    std::vector<ControlStep> steps;
    const bool fill = now.listsFilled && (!before || !before->listsFilled);
    for (ChoiceList list : kAllChoiceLists) {
        if (fill) {
            steps.push_back({ControlAct::FillList, ListControlOf(list), 0, {}, list});
        }
        if (!before || before->Selection(list) != now.Selection(list)) {
            steps.push_back({ControlAct::Select, ListControlOf(list), now.Selection(list)});
        }
    }
    // Both options at once: an option button takes its Tab stop from its check, which only the
    // selected one of the two keeps.
    if (Changed(before, now, &MainWindowModel::runSelected)) {
        steps.push_back({ControlAct::Check, kOptRun, now.runSelected ? 1 : 0});
        steps.push_back({ControlAct::Check, kOptDontRun, now.runSelected ? 0 : 1});
    }
    if (Changed(before, now, &MainWindowModel::sysTrayChecked)) {
        steps.push_back({ControlAct::Check, kChkSysTray, now.sysTrayChecked ? 1 : 0});
    }
    if (Changed(before, now, &MainWindowModel::sysTrayEnabled)) {
        steps.push_back({ControlAct::Enable, kChkSysTray, now.sysTrayEnabled ? 1 : 0});
    }
    return steps;
}

std::vector<ControlStep> RenderSteps(const MainWindowModel* before, const MainWindowModel& now) {
    std::vector<ControlStep> steps = ChoiceSteps(before, now);
    if (Changed(before, now, &MainWindowModel::cardName)) {
        steps.push_back({ControlAct::SetText, kLblCardName, 0, now.cardName});
    }
    if (Changed(before, now, &MainWindowModel::cardDescription)) {
        steps.push_back({ControlAct::SetText, kTxtCardDesc, 0, now.cardDescription});
    }
    if (Changed(before, now, &MainWindowModel::picture)) {
        steps.push_back({ControlAct::ShowPicture, kPicCard, now.picture});
        steps.push_back({ControlAct::ShowPicture, kPicCard2, now.picture});
    }
    if (Changed(before, now, &MainWindowModel::page)) {
        steps.push_back({ControlAct::BringToFront, FrameOf(now.page), OtherPageFrame(now.page)});
    }
    if (Changed(before, now, &MainWindowModel::promo)) {
        steps.push_back({ControlAct::BringToFront, LabelOf(now.promo), OtherPromoLabel(now.promo)});
    }
    return steps;
}

void TakeUserChange(MainWindowModel& shown, ControlId id, int value) {
    for (ChoiceList list : kAllChoiceLists) {
        if (ListControlOf(list) == id) {
            shown.Select(list, value);
        }
    }
    if (id == kChkSysTray) {
        shown.sysTrayChecked = value != 0;
    }
}

std::vector<WindowPart> PartsToMake(const MainWindowModel& now, const WindowParts& made) {
    if (!now.window.shown && !made.Has(WindowPart::AroundPages)) {
        return {}; // a start into the notification area makes nothing
    }
    std::vector<WindowPart> parts;
    for (WindowPart part : {WindowPart::AroundPages, PartOf(FrameOf(now.page))}) {
        if (!made.Has(part)) {
            parts.push_back(part);
        }
    }
    return parts;
}

std::vector<WindowPart> PartsAfterPainting(const WindowParts& made) {
    std::vector<WindowPart> parts;
    for (WindowPart part : {WindowPart::AngelPage, WindowPart::BelowClientArea}) {
        if (made.Has(WindowPart::AroundPages) && !made.Has(part)) {
            parts.push_back(part);
        }
    }
    return parts;
}

std::vector<ControlSpec> PartLayout(WindowPart part, bool late) {
    std::vector<ControlSpec> layout = MainWindowLayoutPart(part);
    const bool page = part == WindowPart::AngelPage || part == WindowPart::SettingsPage;
    for (ControlSpec& spec : layout) {
        spec.hidden = spec.hidden || (late && page && spec.container == kNoControl);
    }
    return layout;
}

std::vector<ControlStep> PartSteps(WindowPart part, const MainWindowModel& shown) {
    std::vector<ControlStep> steps;
    for (const ControlStep& step : RenderSteps(nullptr, shown)) {
        if (step.act != ControlAct::BringToFront && PartOf(step.control) == part) {
            steps.push_back(step);
        }
    }
    return steps;
}

} // namespace haloquill
