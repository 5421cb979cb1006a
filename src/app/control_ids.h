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
    kPicHook,
    kFrame6,
    kOptDisplayOption1,
    kOptDisplayOption2,
};

} // namespace haloquill
