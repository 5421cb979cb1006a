#pragma once
// What of the main window's controls changes to show a model, against the model they show: only
// what differs is touched, so the description keeps its scroll position and nothing flickers.

#include "ports/main_view.h"

#include <string_view>
#include <vector>

namespace haloquill {

enum class ControlAct {
    FillList,     // an empty list takes the entries of `list`
    Select,       // the list selects position `value`
    Check,        // the option or check box is ticked when `value` is 1
    Enable,       // the control takes input when `value` is 1
    SetText,      // the control shows `text`, and a label that fits its text is fitted again
    ShowPicture,  // both picture boxes show picture `value`
    BringToFront, // the control is shown in front and control `value` is hidden
};

struct ControlStep {
    ControlAct act;
    ControlId control = kNoControl;
    int value = 0;
    std::string_view text = {}; // into the model the steps were made from
    ChoiceList list = ChoiceList::Date;
    friend bool operator==(const ControlStep&, const ControlStep&) = default;
};

// The lists, the options and the tray check box; `before` is the model they show, null when they
// show nothing yet.
std::vector<ControlStep> ChoiceSteps(const MainWindowModel* before, const MainWindowModel& now);

// The choices, then the angel's name, description and picture, the page and the promotion.
std::vector<ControlStep> RenderSteps(const MainWindowModel* before, const MainWindowModel& now);

} // namespace haloquill
