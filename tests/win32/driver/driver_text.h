#pragma once
// The driver's names and paths between UTF-8 and UTF-16. They are the driver's own, so one that
// does not convert is a fault of the test and throws.

#include <string>

namespace haloquill::testing {

std::wstring WideOrThrow(const std::string& text);
std::string NarrowOrThrow(const std::wstring& text);

} // namespace haloquill::testing
