#include "design/about_layout.h"

#include "design/app_texts.h"

#include <array>

namespace haloquill {

namespace {

using K = ControlKind;

constexpr std::string_view kAboutText =
    "'Angel' is an English word which has been derived from the Greek word 'angelos', which "
    "means 'messenger'. Corvel Haloquill displays your angel for the day who will guide you "
    "through the whole day. More at {site}.";

const std::array kAboutLayout = {
    ControlSpec{kAboutPicIcon, K::IconBox, kNoControl, 120, 150, 480, 480, ""},
    ControlSpec{kAboutLabel2, K::Label, kNoControl, 720, 240, 2325, 240, texts::kMainCaption},
    ControlSpec{kAboutLabel1, K::Label, kNoControl, 210, 840, 5745, 855, kAboutText},
    ControlSpec{kAboutLblHomePage, K::LinkLabel, kNoControl, 1320, 1800, 4650, 195,
                "Click here to visit us at {site}"},
    ControlSpec{kAboutLabel6, K::Label, kNoControl, 240, 2280, 5655, 615, texts::kFullBrandOffer},
    ControlSpec{kAboutLabel5, K::LinkLabel, kNoControl, 3360, 3000, 2610, 195,
                "Click here for more details"},
    ControlSpec{kAboutCmdOK, K::Button, kNoControl, 4710, 3360, 1260, 345, "&OK"},
};

} // namespace

std::span<const ControlSpec> AboutWindowLayout() {
    return kAboutLayout;
}

} // namespace haloquill
