// What assistive technology is told beyond the system's own: the clickable labels are links, the
// About window is a dialog described by its text, and nothing else changes.

#include "design/about_layout.h"
#include "design/accessible_roles.h"
#include "design/main_window_layout.h"

#include "fakes/every_control.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

using testing::EveryControl;

TEST(AccessibleRoles, EveryClickableLabelIsALinkAndNothingElseIs) {
    int links = 0;
    for (const ControlSpec& spec : EveryControl()) {
        SCOPED_TRACE(spec.id);
        const AccessibleTraits traits = AccessibleTraitsOf(spec.id);
        if (spec.kind == ControlKind::LinkLabel) {
            ++links;
            EXPECT_EQ(traits.role, AccessibleRole::Link);
            EXPECT_EQ(traits.defaultAction, "Jump");
        } else {
            EXPECT_EQ(traits, AccessibleTraits{}) << "a control that is not a link changed";
        }
        EXPECT_EQ(traits.description, kNoControl);
    }
    // The promotional strip's two labels, Label61 and the About window's two links.
    EXPECT_EQ(links, 5);
}

TEST(AccessibleRoles, TheAboutWindowIsADialogDescribedByItsText) {
    const AccessibleTraits about = AboutWindowTraits();
    EXPECT_EQ(about.role, AccessibleRole::Dialog);
    const ControlSpec* described = nullptr;
    for (const ControlSpec& spec : AboutWindowLayout()) {
        if (spec.id == about.description) {
            described = &spec;
        }
    }
    ASSERT_NE(described, nullptr) << "the description is not a control of the About window";
    EXPECT_EQ(described->kind, ControlKind::Label);
    EXPECT_TRUE(described->caption.starts_with("'Angel' is an English word"));
}

} // namespace
} // namespace haloquill
