#pragma once
// The description texts supplied with the program, compiled in from content/texts/.

#include <string_view>

namespace haloquill::content {

extern const std::string_view own_01_adnachiel;
extern const std::string_view own_02_ambriel;
extern const std::string_view own_03_asmodel;
extern const std::string_view own_04_barachiel;
extern const std::string_view own_05_barbiel;
extern const std::string_view own_06_gabriel;
extern const std::string_view own_07_hamiliel;
extern const std::string_view own_08_hanael;
extern const std::string_view own_09_michael;
extern const std::string_view own_10_michidiel;
extern const std::string_view own_11_muriel;
extern const std::string_view own_12_raphael;
extern const std::string_view own_13_uriel;
extern const std::string_view own_14_verchiel;

extern const std::string_view season_may;
extern const std::string_view season_april;
extern const std::string_view season_february;
extern const std::string_view season_june;
extern const std::string_view season_march;
extern const std::string_view season_january;

} // namespace haloquill::content
