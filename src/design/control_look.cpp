#include "design/control_look.h"

namespace haloquill {

namespace {

constexpr FontSpec kRegular{};
constexpr FontSpec kBold{825, true, false};
constexpr FontSpec kBoldUnderlined{825, true, true};
constexpr FontSpec kUnderlined{825, false, true};
constexpr FontSpec kBoldNine{900, true, false};

ControlLook Look(FontSpec font, Rgb text, std::optional<Rgb> background, bool autoSize = false,
                 bool link = false) {
    return ControlLook{font, text, background, autoSize, link};
}

} // namespace

ControlLook LookOf(ControlId id) {
    switch (id) {
    case kFraSettings:
    case kFraRune:
    case kFrame4:
    case kFrame3:
    case kFrame6:
    case kFraFullBrand:
        return Look(kBoldNine, kPaleCyan, kWindowBlue);
    case kCmdExit:
    case kCmdCalculateMoonPhase:
    case kCmdSettings:
        return Look(kBoldNine, kBlack, kParchment);
    case kLabel61:
        return Look(kBoldUnderlined, kWhite, std::nullopt, false, true);
    case kLblCobrand:
    case kLblFullBrand:
        return Look(kBoldUnderlined, Rgb{0, 0, 255}, kWhite, false, true);
    case kLabel1:
        return Look(kBoldNine, kParchment, std::nullopt, true);
    case kLabel5:
    case kLabel7:
    case kLabel6:
        return Look(kUnderlined, kParchment, std::nullopt, true);
    case kCboHour:
    case kCboMinute:
    case kCboSecond:
        return Look(kRegular, kParchment, kWindowBlue);
    case kOptRun:
    case kChkSysTray:
    case kOptDontRun:
        return Look(kBold, kParchment, kWindowBlue);
    case kLblCardName:
        return Look(kBoldUnderlined, Rgb{249, 138, 106}, std::nullopt, true);
    case kLabel8:
        return Look(kBoldUnderlined, kPaleCyan, std::nullopt);
    case kTxtCardDesc:
        return Look(kRegular, Rgb{21, 78, 128}, kParchment);
    case kAboutLabel2:
        return Look(FontSpec{975, true, false}, kWhite, std::nullopt, true);
    case kAboutLabel1:
        return Look(kRegular, kParchment, std::nullopt);
    case kAboutLblHomePage:
    case kAboutLabel5:
        return Look(kBoldUnderlined, kWhite, std::nullopt, true, true);
    case kAboutLabel6:
        return Look(kBold, kParchment, std::nullopt);
    case kAboutCmdOK: {
        ControlLook look = Look(kBold, kBlack, kParchment);
        look.defaultButton = true;
        return look;
    }
    case kAboutPicIcon:
        return Look(kRegular, kBlack, Rgb{224, 224, 224});
    default:
        return Look(kRegular, kBlack, kWindowBlue);
    }
}

namespace {

Colour Design(Rgb rgb) {
    return Colour{rgb, std::nullopt};
}

Colour System(SystemColour role) {
    return Colour{Rgb{}, role};
}

bool IsButton(ControlId id) {
    return id == kCmdExit || id == kCmdCalculateMoonPhase || id == kCmdSettings ||
           id == kAboutCmdOK;
}

} // namespace

ControlColours ColoursOf(ControlId id, bool highContrast) {
    const ControlLook look = LookOf(id);
    if (!highContrast) {
        const Rgb background = look.background.value_or(kWindowBlue);
        return ControlColours{Design(look.text), Design(background), Design(background),
                              Design(look.text)};
    }
    const Colour highlight = System(SystemColour::Highlight);
    const Colour highlightText = System(SystemColour::HighlightText);
    if (IsButton(id)) {
        return ControlColours{System(SystemColour::ButtonText), System(SystemColour::ButtonFace),
                              highlightText, highlight};
    }
    const Colour text =
        look.link ? System(SystemColour::HotLight) : System(SystemColour::WindowText);
    return ControlColours{text, System(SystemColour::Window), highlightText, highlight};
}

Colour WindowBackground(bool highContrast) {
    return highContrast ? System(SystemColour::Window) : Design(kWindowBlue);
}

Colour OutlineColour(bool highContrast) {
    return highContrast ? System(SystemColour::WindowText) : Design(kPaleYellow);
}

} // namespace haloquill
