#pragma once
// The main window as the controller sees it: the state it shows, and the window's own acts.

#include "design/choice_lists.h"
#include "design/control_ids.h"
#include "ports/window_host.h"

#include <array>
#include <iterator>
#include <string>

namespace haloquill {

enum class Page { Settings, Angel };
enum class PromoLabel { CoBrand, FullBrand };

// The frame that holds each page; the other page's frame is behind it.
constexpr ControlId FrameOf(Page page) {
    return page == Page::Settings ? kFraSettings : kFraRune;
}
constexpr ControlId OtherPageFrame(Page page) {
    return FrameOf(page == Page::Settings ? Page::Angel : Page::Settings);
}

// The label of each promotion; the other one is behind it.
constexpr ControlId LabelOf(PromoLabel label) {
    return label == PromoLabel::CoBrand ? kLblCobrand : kLblFullBrand;
}
constexpr ControlId OtherPromoLabel(PromoLabel label) {
    return LabelOf(label == PromoLabel::CoBrand ? PromoLabel::FullBrand : PromoLabel::CoBrand);
}

enum class WindowState { Normal, Minimized };

// Where the main window is: shown or hidden, normal or minimised, and whether its icon is in the
// notification area. The counters are requests: each step asks for the act once more.
struct WindowPresence {
    bool shown = false; // on the screen and in the taskbar; else hidden, or not made yet
    WindowState state = WindowState::Normal; // as it is shown, or will be when shown again
    int raises = 0;                          // brings a shown, normal window to the front
    int centrings = 0;                       // centres the window on the screen
    bool iconWanted = false;                 // the program is in the notification area
    int iconOffers = 0; // offers the wanted icon again to a shell that has none of it
    bool operator==(const WindowPresence&) const = default;
};

// The state of the main window, owned by the controller, which decides by it alone; the window
// shows it. A change the user makes to a control reaches the controller as an event, which
// changes the state.
struct MainWindowModel {
    // The selected position of each list, by ChoiceList; -1 when nothing is selected.
    std::array<int, std::size(kAllChoiceLists)> selections = {-1, -1, -1, -1, -1, -1};
    bool listsFilled = false; // the lists hold their entries
    bool runSelected = false; // optRun is selected, else optDontRun
    bool sysTrayChecked = false;
    bool sysTrayEnabled = false;
    Page page = Page::Settings;
    PromoLabel promo = PromoLabel::CoBrand;
    int picture = 1; // the number shown in both picture boxes
    std::string cardName = "lblCardName";
    std::string cardDescription;
    WindowPresence window;

    int Selection(ChoiceList list) const { return selections[static_cast<std::size_t>(list)]; }
    void Select(ChoiceList list, int position) {
        selections[static_cast<std::size_t>(list)] = position;
    }
    bool operator==(const MainWindowModel&) const = default;
};

class MainView : public WindowHost {
  public:
    // Shows `model` in the window's controls, those that exist now and those made later; the
    // model outlives the window.
    virtual void Render(const MainWindowModel& model) = 0;

    // Shows the About window modally; returns when it has been closed.
    virtual void ShowAboutWindow() = 0;
};

} // namespace haloquill
