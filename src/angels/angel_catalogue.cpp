#include "angels/angel_catalogue.h"

#include "angels/angel_texts.h"

#include <array>
#include <string_view>

namespace haloquill {

namespace {

struct CatalogueEntry {
    std::string_view name;
    const std::string_view* ownText;
    const std::string_view* seasonalText; // null when the angel has no seasonal paragraph
    std::string_view seasonalEnding;      // appended to the seasonal text
};

using namespace content;

// Pointers rather than copies, so the table does not depend on the order of static initialisation.
const std::array<CatalogueEntry, kAngelCount> kEntries = {{
    {"St. Adnachiel", &own_01_adnachiel, &season_may, {}},
    {"St. Ambriel", &own_02_ambriel, &season_may, {}},
    {"St. Asmodel", &own_03_asmodel, &season_april, {}},
    {"St. Barachiel", &own_04_barachiel, &season_february, {}},
    {"St. Barbiel", &own_05_barbiel, &season_april, "\""},
    {"St. Gabriel", &own_06_gabriel, nullptr, {}},
    {"St. Hamiliel", &own_07_hamiliel, &season_february, {}},
    {"St. Hanael", &own_08_hanael, &season_june, {}},
    {"St. Michael", &own_09_michael, nullptr, {}},
    {"St. Michidiel", &own_10_michidiel, &season_march, {}},
    {"St. Muriel", &own_11_muriel, &season_june, {}},
    {"St. Raphael", &own_12_raphael, nullptr, {}},
    {"St. Uriel", &own_13_uriel, nullptr, {}},
    {"St. Verchiel", &own_14_verchiel, &season_january, {}},
}};

std::string ComposeDescription(const CatalogueEntry& entry) {
    std::string text(*entry.ownText);
    if (entry.seasonalText != nullptr) {
        text.append("\r\n\r\n");
        text.append(*entry.seasonalText);
        text.append(entry.seasonalEnding);
    }
    return text;
}

} // namespace

std::optional<AngelCard> LookUpAngel(int index) {
    if (index < 0 || index > kAngelCount) {
        return std::nullopt;
    }
    AngelCard card;
    card.Index = static_cast<std::int16_t>(index);
    if (index > 0) {
        const CatalogueEntry& entry = kEntries[static_cast<std::size_t>(index - 1)];
        card.Name = entry.name;
        card.Description = ComposeDescription(entry);
    }
    return card;
}

} // namespace haloquill
