#pragma once
// Where the keyboard focus goes in the main window: back to the control that had it when the
// window was left, and on to the page in front when the control that had it goes behind.

#include "design/control_ids.h"

#include <functional>

namespace haloquill {

// Whether a control of the main window can take the focus now (it is shown and enabled).
using CanTakeFocus = std::function<bool(ControlId)>;

// Whether `control` is `container` or lies inside it, however deep.
bool IsWithin(ControlId control, ControlId container);

// The first Tab stop in keyboard order that can take the focus inside `container` (the container
// itself when it is one; kNoControl: the whole window); kNoControl when there is none.
ControlId FirstTabStopIn(ControlId container, const CanTakeFocus& canTake);

class FocusMemory {
  public:
    // The window is left with `focused` holding the focus (kNoControl: none of its controls).
    void Remember(ControlId focused);
    // The control to focus when the window is entered again: the remembered one if it can still
    // take the focus, otherwise the first Tab stop of the page in front, or of the window.
    ControlId ToFocus(ControlId frontPage, const CanTakeFocus& canTake) const;
    // The control to focus when `front` comes in front of `back` with `focused` holding the
    // focus: the first Tab stop of `front` if the focus was on `back`; otherwise none.
    static ControlId OnPageSwap(ControlId focused, ControlId front, ControlId back,
                                const CanTakeFocus& canTake);

  private:
    ControlId last_ = kNoControl;
};

} // namespace haloquill
