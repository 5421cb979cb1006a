#pragma once
// The main window's design: every control with its container, place and size in twips, and
// caption, in creation order (which is also the keyboard order within each container).

#include "design/control_ids.h"

#include <span>
#include <string_view>
#include <vector>

namespace haloquill {

enum class ControlKind {
    Frame,      // a container with a caption (a page or a group of controls)
    PlainFrame, // a container without a caption
    Label,
    LinkLabel,
    Button,
    DropDownList,
    CheckBox,
    OptionButton,
    PictureBox,
    IconBox,
    DescriptionBox,
    Rectangle,
};

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    ControlId container; // kNoControl: the window's client area
    int left, top, width, height;
    std::string_view caption; // "{site}" stands for the maker's web site
    bool startsGroup = false; // the arrow keys move within a group
    bool hidden = false;      // not shown when created
};

// Client area of the main window in twips.
inline constexpr int kClientWidthTwips = 9525;
inline constexpr int kClientHeightTwips = 6615;

std::span<const ControlSpec> MainWindowLayout();

// The spec of control `id`, or null.
const ControlSpec* FindControlSpec(ControlId id);

// The parts the window makes at different moments, so that neither a start into the
// notification area nor a shown start pays for controls nobody sees yet: the controls around the
// pages and the page in front when the window is first shown, the other page when it first comes
// to the front, and the controls below the client area once the window has first been painted.
enum class WindowPart { AroundPages, AngelPage, SettingsPage, BelowClientArea };

// The part control `id` belongs to, by itself or by the container it is in.
WindowPart PartOf(ControlId id);

// The controls of one part, in the layout's order, so containers come first.
std::vector<ControlSpec> MainWindowLayoutPart(WindowPart part);

// Controls placed below the client area are never seen, so the keyboard never reaches them.
bool IsBelowClientArea(const ControlSpec& spec);

} // namespace haloquill
