#include "design/choice_lists.h"

#include <algorithm>

namespace haloquill {

namespace {

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) {
        entries.push_back(std::to_string(n));
    }
    return entries;
}

} // namespace

const std::vector<std::string>& ChoiceListEntries(ChoiceList list) {
    static const std::vector<std::string> days = Numbers(1, 31);
    static const std::vector<std::string> months = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static const std::vector<std::string> years = Numbers(1901, 2050);
    static const std::vector<std::string> hours = Numbers(0, 23);
    static const std::vector<std::string> sixty = Numbers(0, 59);
    switch (list) {
    case ChoiceList::Date:
        return days;
    case ChoiceList::Month:
        return months;
    case ChoiceList::Year:
        return years;
    case ChoiceList::Hour:
        return hours;
    case ChoiceList::Minute:
    case ChoiceList::Second:
        break;
    }
    return sixty;
}

int FindChoice(ChoiceList list, std::string_view text) {
    const auto& entries = ChoiceListEntries(list);
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

ControlId ListControlOf(ChoiceList list) {
    switch (list) {
    case ChoiceList::Date:
        return kCboDate;
    case ChoiceList::Month:
        return kCboMonth;
    case ChoiceList::Year:
        return kCboYear;
    case ChoiceList::Hour:
        return kCboHour;
    case ChoiceList::Minute:
        return kCboMinute;
    case ChoiceList::Second:
        break;
    }
    return kCboSecond;
}

} // namespace haloquill
