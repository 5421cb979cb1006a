#pragma once
// The steps of a soak cycle and the names they have on the soak driver's command line.

#include <optional>
#include <string>
#include <vector>

namespace haloquill::bench {

enum class Step { Reminder, CloseBox, Show, About, Settings, TimeList, TaskbarCreated };

// The steps of the whole cycle, in order.
std::vector<Step> WholeCycle();

// The name of a step on the command line.
const char* NameOf(Step step);

// The steps a comma-separated list names, or nothing when a name is unknown or none is given.
std::optional<std::vector<Step>> ParseSteps(const std::string& list);

} // namespace haloquill::bench
