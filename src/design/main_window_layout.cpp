#include "design/main_window_layout.h"

#include "design/app_texts.h"

#include <array>

namespace haloquill {

namespace {

using K = ControlKind;

constexpr std::string_view kBanner =
    "Join our online discussion board: share your angel stories and meet friends. Ask "
    "questions, find answers and stay in touch. Visit {site} today!";
constexpr std::string_view kCoBrandText =
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
    "your site's name &&  link here. See \"Help\" for details.    Click Here for more info on "
    "co-branding.";
constexpr std::string_view kFullBrandText = texts::View(texts::kFullBrandLinkText);

const std::array kLayout = {
    ControlSpec{kLabel61, K::LinkLabel, kNoControl, 142, 120, 9240, 465, kBanner},
    ControlSpec{kFraRune, K::Frame, kNoControl, 0, 600, 9525, 4755, "Angel For The Day"},
    ControlSpec{kFraSettings, K::Frame, kNoControl, 0, 600, 9525, 4755, "Haloquill Settings"},
    ControlSpec{kCmdExit, K::Button, kNoControl, 0, 5400, 9525, 495, "&Exit"},
    ControlSpec{kFraFullBrand, K::PlainFrame, kNoControl, 0, 5880, 9525, 735, ""},
    ControlSpec{kLblCobrand, K::LinkLabel, kFraFullBrand, 150, 165, 9225, 495, kCoBrandText},
    ControlSpec{kLblFullBrand, K::LinkLabel, kFraFullBrand, 150, 165, 9225, 495, kFullBrandText,
                false, true},

    ControlSpec{kLabel1, K::Label, kFraSettings, 2445, 240, 4830, 210,
                "Let Corvel Haloquill show your Angel for the Day!"},
    ControlSpec{kShape3, K::Rectangle, kFraSettings, 1140, 720, 7245, 3375, ""},
    ControlSpec{kShape2, K::Rectangle, kFraSettings, 3840, 840, 1845, 1980, ""},
    ControlSpec{kPicCard2, K::PictureBox, kFraSettings, 4200, 980, 1125, 1680, ""},
    ControlSpec{kFrame4, K::Frame, kFraSettings, 1320, 2880, 3360, 1095, "Choose Display Time"},
    // Each label comes just before its list: a screen reader names a list after it.
    ControlSpec{kLabel5, K::Label, kFrame4, 360, 360, 405, 195, "Hour"},
    ControlSpec{kCboHour, K::DropDownList, kFrame4, 285, 600, 615, 315, ""},
    ControlSpec{kLabel7, K::Label, kFrame4, 1320, 360, 555, 195, "Minute"},
    ControlSpec{kCboMinute, K::DropDownList, kFrame4, 1335, 600, 615, 315, ""},
    ControlSpec{kLabel6, K::Label, kFrame4, 2400, 360, 630, 195, "Second"},
    ControlSpec{kCboSecond, K::DropDownList, kFrame4, 2400, 600, 615, 315, ""},
    ControlSpec{kFrame3, K::Frame, kFraSettings, 4800, 2880, 3360, 1095, "Choose Display Mode"},
    ControlSpec{kOptRun, K::OptionButton, kFrame3, 480, 240, 2325, 225, "Run at start-up", true},
    ControlSpec{kChkSysTray, K::CheckBox, kFrame3, 720, 465, 2500, 255, "Start at system tray",
                true},
    ControlSpec{kOptDontRun, K::OptionButton, kFrame3, 480, 720, 2535, 285, "Don't run at start-up",
                true},
    ControlSpec{kCmdCalculateMoonPhase, K::Button, kFraSettings, 1140, 4200, 7245, 495,
                "Get Your &Angel for the Day"},

    ControlSpec{kShape4, K::Rectangle, kFraRune, 1140, 360, 7245, 3735, ""},
    ControlSpec{kShape1, K::Rectangle, kFraRune, 3840, 480, 1845, 2180, ""},
    ControlSpec{kPicCard, K::PictureBox, kFraRune, 4200, 600, 1125, 1680, ""},
    ControlSpec{kLblCardName, K::Label, kFraRune, 3870, 2380, 1725, 195, "lblCardName"},
    ControlSpec{kLabel8, K::Label, kFraRune, 4027, 2760, 1470, 195, "Characteristics"},
    ControlSpec{kTxtCardDesc, K::DescriptionBox, kFraRune, 1275, 3000, 6975, 975, ""},
    ControlSpec{kCmdSettings, K::Button, kFraRune, 1140, 4200, 7245, 495, "&Settings"},

    ControlSpec{kCboDate, K::DropDownList, kNoControl, 2640, 7560, 900, 315, ""},
    ControlSpec{kCboMonth, K::DropDownList, kNoControl, 3840, 7560, 1380, 315, ""},
    ControlSpec{kCboYear, K::DropDownList, kNoControl, 5400, 7560, 1020, 315, ""},
    ControlSpec{kFrame6, K::Frame, kNoControl, 0, 7440, 3015, 855, "Display Session", false, true},
    ControlSpec{kOptDisplayOption1, K::OptionButton, kFrame6, 120, 240, 2700, 255,
                "Display every 24 hours", true},
    ControlSpec{kOptDisplayOption2, K::OptionButton, kFrame6, 120, 520, 2700, 255,
                "Display every 1 hour"},
};

} // namespace

std::span<const ControlSpec> MainWindowLayout() {
    return kLayout;
}

const ControlSpec* FindControlSpec(ControlId id) {
    for (const ControlSpec& spec : kLayout) {
        if (spec.id == id) {
            return &spec;
        }
    }
    return nullptr;
}

WindowPart PartOf(ControlId id) {
    // The outermost container decides: a page's frame, or a control below the client area.
    const ControlSpec* outer = FindControlSpec(id);
    while (outer && outer->container != kNoControl) {
        outer = FindControlSpec(outer->container);
    }
    if (!outer) {
        return WindowPart::AroundPages;
    }
    if (outer->id == kFraRune) {
        return WindowPart::AngelPage;
    }
    if (outer->id == kFraSettings) {
        return WindowPart::SettingsPage;
    }
    return IsBelowClientArea(*outer) ? WindowPart::BelowClientArea : WindowPart::AroundPages;
}

std::vector<ControlSpec> MainWindowLayoutPart(WindowPart part) {
    std::vector<ControlSpec> controls;
    for (const ControlSpec& spec : kLayout) {
        if (PartOf(spec.id) == part) {
            controls.push_back(spec);
        }
    }
    return controls;
}

bool IsBelowClientArea(const ControlSpec& spec) {
    return spec.container == kNoControl && spec.top >= kClientHeightTwips;
}

} // namespace haloquill
