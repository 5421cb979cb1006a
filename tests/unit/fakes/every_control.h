#pragma once
// Every control of both windows' designs, for the tests of rules that hold for all of them.

#include "design/about_layout.h"
#include "design/main_window_layout.h"

#include <vector>

namespace haloquill::testing {

inline std::vector<ControlSpec> EveryControl() {
    std::vector<ControlSpec> specs(MainWindowLayout().begin(), MainWindowLayout().end());
    specs.insert(specs.end(), AboutWindowLayout().begin(), AboutWindowLayout().end());
    return specs;
}

} // namespace haloquill::testing
