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

// The system colours a window may use while high contrast is on; the shell maps each to the
// colour the user's scheme gives it.
enum class SystemColour {
    Window,
    WindowText,
    ButtonFace,
    ButtonText,
    Highlight,
    HighlightText,
    HotLight
};

// A colour of the design, or a system colour that stands in for it.
struct Colour {
    Rgb rgb;
    std::optional<SystemColour> system;
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct ControlColours {
    Colour text;
    Colour background;
    Colour selectedText; // a selected list item
    Colour selectedBackground;
    friend bool operator==(const ControlColours&, const ControlColours&) = default;
};

// The colours control `id` is drawn with: the design's own, or only system colours while the
// system's high-contrast mode is on (links in the hot-light colour, buttons in the button
// colours, selections in the highlight colours, everything else in the window colours).
ControlColours ColoursOf(ControlId id, bool highContrast);

// The background of a window and of its frames, and the outlines drawn on the frames.
Colour WindowBackground(bool highContrast);
Colour OutlineColour(bool highContrast);

} // namespace haloquill
