#include "design/drawn_faces.h"

#include "design/drawn_metrics.h"
#include "design/twips.h"

namespace haloquill {

ButtonFace ButtonFaceOf(ControlId id, const ButtonState& state, int dpi) {
    ButtonFace face;
    face.frameLines = LookOf(id).defaultButton ? ScalePixels(kDefaultButtonFramePixels, dpi) : 0;
    face.sunken = state.pressed;
    face.captionShift = state.pressed ? ScalePixels(kButtonPressShiftPixels, dpi) : 0;
    face.greyCaption = state.disabled;
    face.accessKeys = !state.hideAccessKeys;
    if (state.focused && !state.hideFocus) {
        face.focusInset = ScalePixels(kButtonFocusInsetPixels, dpi);
    }
    return face;
}

ListItemFace ListItemFaceOf(bool selected, bool focused, bool inClosedBox, int dpi) {
    return {selected, ScalePixels(kListTextIndentPixels, dpi), focused && !inClosedBox};
}

CaptionPlace FrameCaptionPlace(int textWidth, int textHeight, int dpi) {
    const int left = ScalePixels(kFrameCaptionLeftPixels, dpi);
    const int padding = ScalePixels(kFrameCaptionPaddingPixels, dpi);
    return {textHeight / 2, left, left - padding, left + textWidth + padding};
}

ControlPaint PaintOf(ControlId id, bool openedList, bool highContrast) {
    const ControlId shown = openedList ? kCboHour : id;
    return {ColoursOf(shown, highContrast), LookOf(shown).background.has_value() || highContrast};
}

} // namespace haloquill
