#include "app/focus_memory.h"

#include "design/control_traits.h"
#include "design/main_window_layout.h"

namespace haloquill {

bool IsWithin(ControlId control, ControlId container) {
    for (const ControlSpec* spec = FindControlSpec(control); spec;
         spec = FindControlSpec(spec->container)) {
        if (spec->id == container) {
            return true;
        }
    }
    return false;
}

ControlId FirstTabStopIn(ControlId container, const CanTakeFocus& canTake) {
    for (const ControlSpec& spec : MainWindowLayout()) {
        const bool inside = container == kNoControl || IsWithin(spec.id, container);
        if (inside && TraitsOf(spec).tabStop && canTake(spec.id)) {
            return spec.id;
        }
    }
    return kNoControl;
}

void FocusMemory::Remember(ControlId focused) {
    if (focused != kNoControl) {
        last_ = focused;
    }
}

ControlId FocusMemory::ToFocus(ControlId frontPage, const CanTakeFocus& canTake) const {
    if (last_ != kNoControl && canTake(last_)) {
        return last_;
    }
    const ControlId first = FirstTabStopIn(frontPage, canTake);
    return first != kNoControl ? first : FirstTabStopIn(kNoControl, canTake);
}

ControlId FocusMemory::OnPageSwap(ControlId focused, ControlId front, ControlId back,
                                  const CanTakeFocus& canTake) {
    if (focused == kNoControl || !IsWithin(focused, back)) {
        return kNoControl;
    }
    const ControlId first = FirstTabStopIn(front, canTake);
    return first != kNoControl ? first : FirstTabStopIn(kNoControl, canTake);
}

} // namespace haloquill
