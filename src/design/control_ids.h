#pragma once
// Identifiers of the main window's controls, shared by the window and the tests that drive it.

namespace haloquill {

enum ControlId : int {
    kNoControl = 0,
    kLabel61 = 100,
    kFraSettings,
    kFraRune,
    kCmdExit,
    kFraFullBrand,
    kLblCobrand,
    kLblFullBrand,
    // Settings page.
    kLabel1 = 200,
    kShape3,
    kShape2,
    kPicCard2,
    kFrame4,
    kFrame3,
    kCmdCalculateMoonPhase,
    kLabel5,
    kLabel7,
    kLabel6,
    kCboHour,
    kCboMinute,
    kCboSecond,
    kOptRun,
    kChkSysTray,
    kOptDontRun,
    // Angel page.
    kShape4 = 300,
    kShape1,
    kPicCard,
    kLblCardName,
    kLabel8,
    kTxtCardDesc,
    kCmdSettings,
    // Below the client area, never seen.
    kCboDate = 400,
    kCboMonth,
    kCboYear,
    kFrame6,
    kOptDisplayOption1,
    kOptDisplayOption2,
    // Menus.
    kMnuPopUp = 500,
    kMnuPop,
    kMnuExit1,
    kMnuFile,
    kMnuCalculateMoonPhase,
    kMnuSep1,
    kMnuExit,
    kMnuTools,
    kMnuSettings,
    kMnuHelp,
    kMnuOnline,
    kMnuVisit,
    kMnuHelp1,
    kMnuUpdate,
    kMnuHelp2,
    kMnuAbout,
    kMnuDonate,
    kMnuMakeMoney,
    // The About window.
    kAboutPicIcon = 600,
    kAboutLabel2,
    kAboutLabel1,
    kAboutLblHomePage,
    kAboutLabel6,
    kAboutLabel5,
    kAboutCmdOK = 1, // IDOK, so Enter presses it
};

} // namespace haloquill
