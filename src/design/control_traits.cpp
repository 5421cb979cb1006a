#include "design/control_traits.h"

namespace haloquill {

ControlTraits TraitsOf(const ControlSpec& spec) {
    ControlTraits traits;
    traits.startsGroup = spec.startsGroup;
    switch (spec.kind) {
    case ControlKind::Frame:
    case ControlKind::PlainFrame:
        traits.holdsControls = true;
        break;
    case ControlKind::Label:
        traits.centred = spec.id == kLabel1 || spec.id == kLblCardName;
        traits.reportsClicks = true;
        break;
    case ControlKind::LinkLabel:
        traits.centred = true;
        traits.reportsClicks = true;
        traits.tabStop = true;
        break;
    case ControlKind::Button:
    case ControlKind::DropDownList:
        traits.tabStop = true;
        break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        traits.tabStop = true;
        traits.plainLook = true;
        break;
    case ControlKind::DescriptionBox:
        traits.tabStop = true;
        traits.sunken = true;
        break;
    case ControlKind::PictureBox:
    case ControlKind::IconBox:
    case ControlKind::Rectangle:
        break;
    }
    // Controls below the client area are hidden too, so that assistive technology does not list
    // them, and the keyboard never reaches them.
    if (spec.hidden || IsBelowClientArea(spec)) {
        traits.visible = false;
    }
    if (IsBelowClientArea(spec)) {
        traits.tabStop = false;
    }
    return traits;
}

} // namespace haloquill
