#pragma once
// Only one copy of the program runs per executable name.

#include <string>
#include <string_view>

namespace haloquill {

// The name of the mutex that lets only one copy run per executable name, whatever its case.
std::string InstanceMutexName(std::string_view baseName);

} // namespace haloquill
