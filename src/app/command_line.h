#pragma once
// What the program reads from its command line.

#include <string_view>

namespace haloquill {

// True when the arguments hold "/STARTUP" anywhere, exactly as written (case-sensitive): the
// mark of a start by Windows at logon.
bool HasStartupArgument(std::string_view arguments);

} // namespace haloquill
