#pragma once
// How each control of the program's windows looks: font, colours and whether it sizes itself
// to its text.

#include "design/control_ids.h"

#include <optional>

namespace haloquill {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWindowBlue{48, 98, 165};
inline constexpr Rgb kParchment{240, 226, 176};
inline constexpr Rgb kPaleCyan{192, 255, 255};
inline constexpr Rgb kPaleYellow{255, 255, 192};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

struct FontSpec {
    int centiPoints = 825; // Verdana 8.25 pt
    bool bold = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct ControlLook {
    FontSpec font;
    Rgb text = kBlack;
    std::optional<Rgb> background; // none: transparent over its container
    bool autoSize = false;         // width and height follow the text, left edge kept
    bool link = false;             // hand pointer, click runs its command
    bool defaultButton = false;    // Enter presses it wherever the focus is in its window
};

ControlLook LookOf(ControlId id);

} // namespace haloquill
