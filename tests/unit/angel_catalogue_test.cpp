#include "angels/angel_catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace haloquill {
namespace {

struct Expected {
    const char* name;
    const char* ownStart;
    const char* seasonStart; // null when the description has one paragraph
};

const Expected kExpected[kAngelCount + 1] = {
    {"", "", nullptr},
    {"St. Adnachiel", "Adnachiel - the angel of November is also known as",
     "It is the angel of May who brings about the"},
    {"St. Ambriel", "Ambriel - the angel of May is known as the",
     "It is the angel of May who brings about the"},
    {"St. Asmodel", "Asmodel - the angel of April is the 'spirit of",
     "The spirit of rebirth is what we relate the Angel"},
    {"St. Barachiel", "Barchiel is the angel for the month of February.",
     "Patience is the keyword which best describes the Angel of"},
    {"St. Barbiel", "Barbiel is the angel of the month of October and",
     "The spirit of rebirth is what we relate the Angel"},
    {"St. Gabriel", "The name Gabriel means the 'messenger of God'.", nullptr},
    {"St. Hamiliel", "The angel of August - Hamaliel is also known as",
     "Patience is the keyword which best describes the Angel of"},
    {"St. Hanael", "Hanael is the angel representing the month of December.",
     "We experience flourish, fame and strength from the Angel of"},
    {"St. Michael", "Michael is the angel for the month of September and", nullptr},
    {"St. Michidiel", "Machidiel- the angel of March means 'Fullness of God'.",
     "Stamina and courage are brought about by the Angel of"},
    {"St. Muriel", "Muriel is the angel of the month of June and",
     "We experience flourish, fame and strength from the Angel of"},
    {"St. Raphael", "Raphael is the angel of journey to the heavens.", nullptr},
    {"St. Uriel", "Uriel is the 'light of God'.", nullptr},
    {"St. Verchiel", "Verchiel is the angel of the month of July is",
     "Wisdom is the word which describes the Angel of January"},
};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string SeasonalPart(const AngelCard& card) {
    const auto join = card.Description.find("\r\n\r\n");
    return join == std::string::npos ? std::string() : card.Description.substr(join + 4);
}

TEST(AngelCatalogue, EveryDescriptionIsComposedAsListed) {
    for (int index = 1; index <= kAngelCount; ++index) {
        SCOPED_TRACE(index);
        const auto card = LookUpAngel(index);
        ASSERT_TRUE(card.has_value());
        const Expected& want = kExpected[index];
        EXPECT_EQ(card->Index, index);
        EXPECT_EQ(card->Name, want.name);
        EXPECT_TRUE(StartsWith(card->Description, want.ownStart));

        const auto join = card->Description.find("\r\n\r\n");
        if (want.seasonStart == nullptr) {
            EXPECT_EQ(card->Description.find_first_of("\r\n"), std::string::npos);
        } else {
            ASSERT_NE(join, std::string::npos);
            EXPECT_EQ(card->Description.find("\r\n\r\n", join + 4), std::string::npos);
            const std::string season = card->Description.substr(join + 4);
            EXPECT_TRUE(StartsWith(season, want.seasonStart));
            EXPECT_EQ(season.find_first_of("\r\n"), std::string::npos);
            EXPECT_EQ(card->Description.substr(0, join).find_first_of("\r\n"), std::string::npos);
        }
        for (char c : card->Description) {
            EXPECT_TRUE((c >= 0x20 && c <= 0x7e) || c == '\r' || c == '\n') << int(c);
        }
    }
}

TEST(AngelCatalogue, NamesAreAlphabeticalAndAllBeginWithSaint) {
    std::string previous;
    for (int index = 1; index <= kAngelCount; ++index) {
        const std::string name = LookUpAngel(index)->Name;
        EXPECT_TRUE(StartsWith(name, "St. ")) << name;
        EXPECT_LT(previous, name);
        previous = name;
    }
    EXPECT_EQ(LookUpAngel(1)->Name, "St. Adnachiel");
    EXPECT_EQ(LookUpAngel(14)->Name, "St. Verchiel");
}

TEST(AngelCatalogue, PairedAngelsShareTheirSeasonalText) {
    EXPECT_EQ(SeasonalPart(*LookUpAngel(1)), SeasonalPart(*LookUpAngel(2)));
    EXPECT_EQ(SeasonalPart(*LookUpAngel(4)), SeasonalPart(*LookUpAngel(7)));
    EXPECT_EQ(SeasonalPart(*LookUpAngel(8)), SeasonalPart(*LookUpAngel(11)));
    EXPECT_NE(SeasonalPart(*LookUpAngel(1)), SeasonalPart(*LookUpAngel(4)));
}

TEST(AngelCatalogue, SecondAprilCopyAddsOneClosingQuote) {
    const std::string april = SeasonalPart(*LookUpAngel(3));
    const std::string aprilCopy = SeasonalPart(*LookUpAngel(5));
    EXPECT_FALSE(april.empty());
    EXPECT_EQ(aprilCopy, april + "\"");
    EXPECT_NE(LookUpAngel(3)->Description.back(), '"');
    for (int index = 1; index <= kAngelCount; ++index) {
        if (index != 5) {
            EXPECT_EQ(LookUpAngel(index)->Description.find('"'), std::string::npos) << index;
        }
    }
}

TEST(AngelCatalogue, SlotZeroIsEmptyAndOutOfRangeIsRefused) {
    const auto empty = LookUpAngel(0);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->Name, "");
    EXPECT_EQ(empty->Description, "");
    EXPECT_FALSE(LookUpAngel(-1).has_value());
    EXPECT_FALSE(LookUpAngel(15).has_value());
    EXPECT_FALSE(LookUpAngel(32767).has_value());
}

} // namespace
} // namespace haloquill
