#include "soak_steps.h"

#include <array>
#include <sstream>

namespace haloquill::bench {

namespace {

struct StepName {
    Step step;
    const char* name;
};

constexpr std::array<StepName, 7> kStepNames{{{Step::Reminder, "reminder"},
                                              {Step::CloseBox, "close"},
                                              {Step::Show, "show"},
                                              {Step::About, "about"},
                                              {Step::Settings, "settings"},
                                              {Step::TimeList, "timelist"},
                                              {Step::TaskbarCreated, "taskbar"}}};

} // namespace

std::vector<Step> WholeCycle() {
    return {Step::Reminder, Step::CloseBox, Step::Show,     Step::About,
            Step::Settings, Step::TimeList, Step::CloseBox, Step::TaskbarCreated};
}

const char* NameOf(Step step) {
    for (const StepName& entry : kStepNames) {
        if (entry.step == step) {
            return entry.name;
        }
    }
    return "?";
}

std::optional<std::vector<Step>> ParseSteps(const std::string& list) {
    std::vector<Step> steps;
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        bool known = false;
        for (const StepName& entry : kStepNames) {
            if (name == entry.name) {
                steps.push_back(entry.step);
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    if (steps.empty()) {
        return std::nullopt;
    }
    return steps;
}

} // namespace haloquill::bench
