#pragma once
// What the main window shows and holds, as the controller sees it. Setting a control through
// this interface never runs the controller's handlers; the controller runs them itself.

#include "design/choice_lists.h"
#include "design/control_ids.h"
#include "ports/angel_display.h"
#include "ports/window_host.h"

#include <string>
#include <vector>

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

class MainView : public AngelDisplay, public WindowHost {
  public:
    virtual void FillList(ChoiceList list, const std::vector<std::string>& entries) = 0;
    virtual void SelectListItem(ChoiceList list, int position) = 0;
    virtual int ListSelection(ChoiceList list) const = 0; // -1 when nothing is selected

    virtual bool IsSysTrayChecked() const = 0;
    virtual void SetSysTrayChecked(bool checked) = 0;
    virtual void EnableSysTray(bool enabled) = 0;

    virtual bool IsRunSelected() const = 0;
    virtual void SetRunSelected(bool run) = 0; // selects optRun, or else optDontRun

    virtual void BringPageToFront(Page page) = 0;
    virtual void BringPromoLabelToFront(PromoLabel label) = 0;

    // Shows the About window modally; returns when it has been closed.
    virtual void ShowAboutWindow() = 0;
};

} // namespace haloquill
