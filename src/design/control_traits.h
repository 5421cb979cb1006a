#pragma once
// How each control of a design behaves in its window, whatever the platform makes it with: seen
// or not, reached by Tab, how its text sits and whether it reports clicks.

#include "design/main_window_layout.h"

namespace haloquill {

struct ControlTraits {
    bool visible = true;        // shown with its window
    bool tabStop = false;       // reached by Tab
    bool startsGroup = false;   // begins a group for the arrow keys
    bool centred = false;       // its text centred in it
    bool reportsClicks = false; // a label that tells its window when it is clicked
    bool holdsControls = false; // a frame: the dialog keys go on to the controls in it
    bool sunken = false;        // drawn with a sunken edge
    bool plainLook = false; // drawn without the visual style, which ignores the design's colours
};

ControlTraits TraitsOf(const ControlSpec& spec);

} // namespace haloquill
