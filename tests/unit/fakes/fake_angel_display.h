#pragma once
// Where an angel is shown, held in memory.

#include "ports/angel_display.h"

#include <string>

namespace haloquill::testing {

struct FakeAngelDisplay final : AngelDisplay {
    void ShowAngelPicture(int number) override {
        if (number >= 1 && number <= 14) {
            picture = number;
        }
    }
    void SetCardName(std::string_view name) override { cardName = name; }
    void SetCardDescription(std::string_view text) override { cardDescription = text; }

    int picture = 1;
    std::string cardName = "<placeholder>";
    std::string cardDescription;
};

} // namespace haloquill::testing
