#include "design/commands.h"

#include <utility>

namespace haloquill {

namespace {

constexpr std::pair<ControlId, Command> kCommands[] = {
    {kCmdSettings, Command::ShowSettings},
    {kMnuSettings, Command::ShowSettings},
    {kMnuAbout, Command::ShowAbout},
    {kCmdCalculateMoonPhase, Command::ApplyAndHide},
    {kMnuCalculateMoonPhase, Command::ApplyAndHide},
    {kCmdExit, Command::ConfirmExit},
    {kMnuExit, Command::ConfirmExit},
    {kMnuPop, Command::ShowFromTray},
    {kMnuExit1, Command::Quit},
    {kMnuOnline, Command::OpenHelpPage},
    {kMnuVisit, Command::OpenHomePage},
    {kLabel61, Command::OpenHomePage},
    {kAboutLblHomePage, Command::OpenHomePage},
    {kMnuUpdate, Command::OpenDownloadPage},
    {kMnuDonate, Command::OpenDonatePage},
    {kMnuMakeMoney, Command::OpenFullyBrandedPage},
    {kLblFullBrand, Command::OpenFullyBrandedPage},
    {kAboutLabel5, Command::OpenFullyBrandedPage},
    {kLblCobrand, Command::OpenCoBrandPage},
    {kOptDisplayOption1, Command::Nothing},
    {kOptDisplayOption2, Command::Nothing},
};

} // namespace

std::optional<Command> CommandOf(int id) {
    for (const auto& [control, command] : kCommands) {
        if (control == id) {
            return command;
        }
    }
    return std::nullopt;
}

} // namespace haloquill
