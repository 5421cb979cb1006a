#pragma once
// Message boxes captioned with the application title.

#include <string_view>

namespace haloquill {

// The kinds of box the program shows: icon and buttons.
enum class BoxKind {
    Plain,            // no icon, OK
    Information,      // information icon, OK
    ExclamationYesNo, // exclamation icon, Yes and No
    InformationYesNo, // information icon, Yes and No
    Error,            // error icon, OK
};

enum class BoxAnswer {
    None, // the box could not be shown, or the program began to close while it was open
    Ok,
    Yes,
    No,
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows `text` as a box of `kind` and waits for the answer.
    virtual BoxAnswer Show(std::string_view text, BoxKind kind) = 0;
};

} // namespace haloquill
