#pragma once
// Tells assistive technology what the core says of a control or a window beyond what the system
// says by itself (its role, default action and description); the system's own accessible object
// answers everything else. oleacc and oleaut32 are loaded only once assistive technology asks.

#include "design/accessible_roles.h"

#include <windows.h>

namespace haloquill::win32 {

// Answers WM_GETOBJECT for the client object of `window` with `traits` for as long as the window
// lives; does nothing when the traits change nothing.
void ExposeAccessibleTraits(HWND window, const AccessibleTraits& traits);

} // namespace haloquill::win32
