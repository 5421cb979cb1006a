#pragma once
// The main window's controls held in memory, as a test sees them.

#include "design/choice_lists.h"
#include "ports/main_view.h"

#include <map>
#include <string>
#include <vector>

namespace haloquill::testing {

class FakeMainView final : public MainView {
  public:
    // What the controls show: the state last rendered.
    void Render(const MainWindowModel& model) override {
        ++renders;
        picture = model.picture;
        cardName = model.cardName;
        cardDescription = model.cardDescription;
        selections.clear();
        for (ChoiceList list : kAllChoiceLists) {
            // The entries never change once filled.
            if (model.listsFilled && !lists.contains(list)) {
                lists[list] = ChoiceListEntries(list);
            }
            if (model.Selection(list) >= 0) {
                selections[list] = model.Selection(list);
            }
        }
        sysTrayChecked = model.sysTrayChecked;
        sysTrayEnabled = model.sysTrayEnabled;
        runSelected = model.runSelected;
        frontPage = model.page;
        frontPromo = model.promo;
        ShowPresence(model.window);
    }
    int ListSelection(ChoiceList list) const {
        const auto found = selections.find(list);
        return found == selections.end() ? -1 : found->second;
    }
    std::string SelectedText(ChoiceList list) const {
        const int position = ListSelection(list);
        const auto found = lists.find(list);
        if (position < 0 || found == lists.end()) {
            return "<none>";
        }
        return found->second.at(static_cast<std::size_t>(position));
    }
    void ShowAboutWindow() override { ++aboutShown; }

    // The window shown or hidden, normal or minimised, with at most one icon in the notification
    // area, as the platform keeps them.
    void ShowPresence(const WindowPresence& now) {
        visible = now.shown;
        state = now.state;
        centred += now.centrings - presence.centrings;
        const bool offered = !presence.iconWanted || now.iconOffers != presence.iconOffers;
        if (now.iconWanted && offered && !iconPresent) {
            ++iconAdds;
            iconPresent = iconRefusals == 0;
            iconRefusals -= iconRefusals > 0 ? 1 : 0;
        } else if (!now.iconWanted) {
            iconPresent = false;
        }
        presence = now;
    }
    void ShowTrayMenu() override { ++trayMenus; }
    void QuitProgram() override { ++quits; }

    // State at creation, as the window's design has it.
    int renders = 0;
    int picture = 1;
    std::string cardName = "<placeholder>";
    std::string cardDescription;
    std::map<ChoiceList, std::vector<std::string>> lists;
    std::map<ChoiceList, int> selections;
    bool sysTrayChecked = false;
    bool sysTrayEnabled = false;
    bool runSelected = false;
    Page frontPage = Page::Settings;
    PromoLabel frontPromo = PromoLabel::CoBrand;
    int aboutShown = 0;
    bool visible = false; // loaded, not yet shown
    WindowState state = WindowState::Normal;
    bool iconPresent = false;
    int iconAdds = 0;
    int iconRefusals = 0; // so many adds the shell refuses
    int centred = 0;
    WindowPresence presence; // the presence last rendered
    int trayMenus = 0;
    int quits = 0;
};

} // namespace haloquill::testing
