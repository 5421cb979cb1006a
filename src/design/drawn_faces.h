#pragma once
// What the program draws itself for its buttons, list items, frame captions and plain controls,
// decided from a control's state; the platform only draws what this gives.

#include "design/control_look.h"

namespace haloquill {

struct ButtonState {
    bool pressed = false;
    bool disabled = false;
    bool focused = false;
    bool hideFocus = false;      // the keyboard cues hide focus rectangles
    bool hideAccessKeys = false; // the keyboard cues hide access-key underlines
};

struct ButtonFace {
    int frameLines = 0;       // dark lines around the edge, the default button's mark
    bool sunken = false;      // the edge pressed in
    int captionShift = 0;     // the caption moved right and down, in pixels
    bool greyCaption = false; // the caption in the system's grey text
    bool accessKeys = true;   // the access key underlined
    int focusInset = -1;      // the focus rectangle this far inside the edge; -1: none
};

ButtonFace ButtonFaceOf(ControlId id, const ButtonState& state, int dpi);

struct ListItemFace {
    bool selectedColours = false; // drawn in the list's selection colours
    int textIndent = 0;           // the text from the item's left edge, in pixels
    bool focusRectangle = false;
};

// An item of a drop-down list; the one shown in the closed box never has a focus rectangle.
ListItemFace ListItemFaceOf(bool selected, bool focused, bool inClosedBox, int dpi);

struct CaptionPlace {
    int borderTop = 0;      // the frame's border runs through the middle of the caption
    int textLeft = 0;       // where the caption's text starts
    int backgroundLeft = 0; // the caption's own background, which interrupts the border
    int backgroundRight = 0;
};

CaptionPlace FrameCaptionPlace(int textWidth, int textHeight, int dpi);

struct ControlPaint {
    ControlColours colours;
    bool opaque = false; // the text on its own background; otherwise over the container's
};

// The colours of a control the platform draws itself; an opened time list takes the colours of
// the hour list it belongs to.
ControlPaint PaintOf(ControlId id, bool openedList, bool highContrast);

} // namespace haloquill
