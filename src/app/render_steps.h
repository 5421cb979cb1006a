#pragma once
// What of the main window's controls changes to show a model, against the model they show: only
// what differs is touched, so the description keeps its scroll position and nothing flickers.

#include "design/main_window_layout.h"
#include "ports/main_view.h"

#include <array>
#include <string_view>
#include <vector>

namespace haloquill {

enum class ControlAct {
    FillList,     // an empty list takes the entries of `list`
    Select,       // the list selects position `value`
    Check,        // the option or check box is ticked when `value` is 1
    Enable,       // the control takes input when `value` is 1
    SetText,      // the control shows `text`, and a label that fits its text is fitted again
    ShowPicture,  // the picture box shows picture `value`
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

// A change the user made in control `id` (a list's new position, the tray box's tick), which the
// control shows already: the model the controls show takes it too, so that the next rendering
// puts the controller's model back in the control should the controller not take the change.
void TakeUserChange(MainWindowModel& shown, ControlId id, int value);

// The parts of the window made so far.
class WindowParts {
  public:
    bool Has(WindowPart part) const { return made_[static_cast<std::size_t>(part)]; }
    void Add(WindowPart part) { made_[static_cast<std::size_t>(part)] = true; }

  private:
    std::array<bool, 4> made_{};
};

// The parts still to be made to show `now`, in the order they are made: none while the window
// has never been shown, then the controls around the pages and the page in front.
std::vector<WindowPart> PartsToMake(const MainWindowModel& now, const WindowParts& made);

// The parts made once the shown window has first been painted, of those not made yet: the angel
// page, which every later showing opens on, and the controls below the client area, which nobody
// sees. The settings page waits until it is asked for.
std::vector<WindowPart> PartsAfterPainting(const WindowParts& made);

// The controls of `part` as they are made: a page made after the window first showed the model
// (`late`) waits hidden behind the page in front until it is brought forward.
std::vector<ControlSpec> PartLayout(WindowPart part, bool late);

// What the controls of a part made after the others show, so that they agree with the others,
// which show `shown`. Which page is in front is left to the next render.
std::vector<ControlStep> PartSteps(WindowPart part, const MainWindowModel& shown);

} // namespace haloquill
