#pragma once
// The offsets of what the program draws itself, in the design's own pixels (96 DPI). Each is
// scaled with ScalePixels for the screen's DPI, so the drawing keeps its proportions.

namespace haloquill {

inline constexpr int kListRoomPixels = 200;          // the opened list below a drop-down box
inline constexpr int kListFramePixels = 6;           // a closed box's frame around its item
inline constexpr int kListTextIndentPixels = 2;      // an item's text from the item's left edge
inline constexpr int kButtonFocusInsetPixels = 4;    // a button's focus rectangle inside its edge
inline constexpr int kButtonPressShiftPixels = 1;    // a pressed button's caption, right and down
inline constexpr int kDefaultButtonFramePixels = 1;  // the dark frame around the default button
inline constexpr int kFrameCaptionLeftPixels = 8;    // a frame's caption from the frame's left
inline constexpr int kFrameCaptionPaddingPixels = 2; // the caption's background on either side
inline constexpr int kOutlinePixels = 2;             // the rectangles drawn on the frames
inline constexpr int kRulePixels = 1;                // the rule across the About window

} // namespace haloquill
