#pragma once
// What assistive technology is told about a control or a window beyond what the system says by
// itself: the clickable labels are links, and the About window is a dialog described by its text.

#include "design/control_ids.h"

#include <string_view>

namespace haloquill {

enum class AccessibleRole {
    System, // the role the system gives the control's class
    Link,
    Dialog
};

struct AccessibleTraits {
    AccessibleRole role = AccessibleRole::System;
    std::string_view defaultAction;     // empty: the system's
    ControlId description = kNoControl; // a control whose text describes the window
    friend bool operator==(const AccessibleTraits&, const AccessibleTraits&) = default;
};

// A control of the main window or of the About window: the link labels are links whose default
// action jumps to their page; every other control keeps what the system says of it.
AccessibleTraits AccessibleTraitsOf(ControlId id);

// The About window: a dialog, described by the text about the program.
AccessibleTraits AboutWindowTraits();

} // namespace haloquill
