#pragma once
// The fixed catalogue of the fourteen angels, slots 1 to 14, with an empty slot 0.

#include <cstdint>
#include <optional>
#include <string>

namespace haloquill {

inline constexpr int kAngelCount = 14;

struct AngelCard {
    std::int16_t Index = 0;
    std::string Name;        // "St. " and the angel's name; empty for slot 0
    std::string Description; // own text, or own text + CR LF CR LF + seasonal text
};

// The entry in slot `index`, or nothing when `index` lies outside 0..14.
std::optional<AngelCard> LookUpAngel(int index);

} // namespace haloquill
