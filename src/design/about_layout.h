#pragma once
// The About window's design: its controls with place and size in twips, and its texts.

#include "design/main_window_layout.h"

#include <span>

namespace haloquill {

inline constexpr int kAboutClientWidthTwips = 6105;
inline constexpr int kAboutClientHeightTwips = 3780;

// The horizontal rule across the window, at this height in twips, from edge to edge.
inline constexpr int kAboutRuleTopTwips = 3240;
inline constexpr int kAboutRuleLeftTwips = -60;
inline constexpr int kAboutRuleRightTwips = 6090;

std::span<const ControlSpec> AboutWindowLayout();

} // namespace haloquill
