#include "design/accessible_roles.h"

#include "design/control_look.h"

namespace haloquill {

AccessibleTraits AccessibleTraitsOf(ControlId id) {
    if (LookOf(id).link) {
        return AccessibleTraits{AccessibleRole::Link, "Jump", kNoControl};
    }
    return AccessibleTraits{};
}

AccessibleTraits AboutWindowTraits() {
    return AccessibleTraits{AccessibleRole::Dialog, {}, kAboutLabel1};
}

} // namespace haloquill
