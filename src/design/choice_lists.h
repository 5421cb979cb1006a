#pragma once
// The entries of the main window's six drop-down lists.

#include "design/control_ids.h"

#include <string>
#include <string_view>
#include <vector>

namespace haloquill {

enum class ChoiceList { Date, Month, Year, Hour, Minute, Second };

inline constexpr ChoiceList kAllChoiceLists[] = {ChoiceList::Date,   ChoiceList::Month,
                                                 ChoiceList::Year,   ChoiceList::Hour,
                                                 ChoiceList::Minute, ChoiceList::Second};

// The drop-down list that shows each choice.
ControlId ListControlOf(ChoiceList list);

const std::vector<std::string>& ChoiceListEntries(ChoiceList list);

// Position of the entry whose text is exactly `text`, or -1.
int FindChoice(ChoiceList list, std::string_view text);

} // namespace haloquill
