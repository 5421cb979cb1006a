#pragma once
// Readers for the short texts kept in the settings store: whole numbers and Booleans.

#include <optional>
#include <string_view>

namespace haloquill {

// A decimal whole number with optional surrounding blanks and one optional sign, that fits a
// 16-bit signed integer ("03" reads as 3). Anything else, fractions included, is not a number.
std::optional<int> ParseWholeNumber(std::string_view text);

// "True" or "False" in any letter case, or a whole number that is true when it is not zero.
std::optional<bool> ParseBoolean(std::string_view text);

// "True" or "False", the form in which Booleans are stored.
std::string_view BooleanText(bool value);

} // namespace haloquill
