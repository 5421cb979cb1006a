#pragma once
// Once a fortnight or more, offers to look for a newer version of the program.

#include "ports/clock.h"
#include "ports/message_boxes.h"
#include "ports/settings_store.h"
#include "web/web_pages.h"

#include <string_view>

namespace haloquill {

inline constexpr std::string_view kUpdateQuestion =
    "There maybe an update to this software available\rDo you want to check for an update?";

// The first run stores today. A stored date 15 or more days away, before or after today, asks
// the question, stores today whatever the answer, and on Yes opens the download page; a question
// that got no answer (the program began to close meanwhile) stores nothing. A stored text that
// is not a date counts as a first run.
void RemindOfUpdate(SettingsStore& store, const Clock& clock, MessageBoxes& messages,
                    WebPageLauncher& web);

} // namespace haloquill
