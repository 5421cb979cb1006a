#include "app/window_steps.h"

namespace haloquill {

namespace {

void AddWindowSteps(std::vector<WindowStep>& steps, const WindowPresence& now, ScreenState screen) {
    const bool minimized = now.state == WindowState::Minimized;
    if (!now.shown) {
        if (screen.visible && minimized && !screen.minimized) {
            steps.push_back(WindowStep::Minimize);
        }
        if (screen.visible) {
            steps.push_back(WindowStep::Hide);
        }
    } else if (minimized) {
        if (!screen.visible) {
            steps.push_back(WindowStep::ShowMinimizedInactive);
        } else if (!screen.minimized) {
            steps.push_back(WindowStep::Minimize);
        }
    } else {
        steps.push_back(screen.minimized ? WindowStep::Restore : WindowStep::Show);
        steps.push_back(WindowStep::BringToFront);
    }
}

} // namespace

std::vector<WindowStep> WindowSteps(const WindowPresence& before, const WindowPresence& now,
                                    ScreenState screen) {
    std::vector<WindowStep> steps;
    if (now.iconWanted && (!before.iconWanted || now.iconOffers != before.iconOffers)) {
        steps.push_back(WindowStep::OfferIcon);
    }
    const bool windowAsBefore = now.shown == before.shown && now.state == before.state &&
                                now.raises == before.raises && now.centrings == before.centrings;
    if (!windowAsBefore) {
        AddWindowSteps(steps, now, screen);
        if (now.shown && now.centrings != before.centrings) {
            steps.push_back(WindowStep::Centre);
        }
    }
    if (!now.iconWanted && before.iconWanted) {
        steps.push_back(WindowStep::RemoveIcon);
    }
    return steps;
}

} // namespace haloquill
