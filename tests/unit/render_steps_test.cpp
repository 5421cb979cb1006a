#include "app/render_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

using A = ControlAct;

MainWindowModel Shown() {
    MainWindowModel model;
    model.listsFilled = true;
    model.selections = {0, 1, 2, 3, 4, 5};
    model.cardName = "Ariel";
    model.cardDescription = "Of nature.";
    return model;
}

TEST(RenderSteps, ControlsThatShowNothingYetShowTheWholeModelInOrder) {
    MainWindowModel model = Shown();
    model.runSelected = true;
    model.page = Page::Angel;
    const std::vector<ControlStep> expected = {
        {A::FillList, kCboDate, 0, {}, ChoiceList::Date},
        {A::Select, kCboDate, 0},
        {A::FillList, kCboMonth, 0, {}, ChoiceList::Month},
        {A::Select, kCboMonth, 1},
        {A::FillList, kCboYear, 0, {}, ChoiceList::Year},
        {A::Select, kCboYear, 2},
        {A::FillList, kCboHour, 0, {}, ChoiceList::Hour},
        {A::Select, kCboHour, 3},
        {A::FillList, kCboMinute, 0, {}, ChoiceList::Minute},
        {A::Select, kCboMinute, 4},
        {A::FillList, kCboSecond, 0, {}, ChoiceList::Second},
        {A::Select, kCboSecond, 5},
        {A::Check, kOptRun, 1},
        {A::Check, kOptDontRun, 0},
        {A::Check, kChkSysTray, 0},
        {A::Enable, kChkSysTray, 0},
        {A::SetText, kLblCardName, 0, "Ariel"},
        {A::SetText, kTxtCardDesc, 0, "Of nature."},
        {A::ShowPicture, kPicCard, 1},
        {A::ShowPicture, kPicCard2, 1},
        {A::BringToFront, kFraRune, kFraSettings},
        {A::BringToFront, kLblCobrand, kLblFullBrand},
    };
    EXPECT_EQ(RenderSteps(nullptr, model), expected);
}

TEST(RenderSteps, OnlyWhatDiffersFromTheShownModelChanges) {
    const MainWindowModel before = Shown();
    struct Case {
        const char* what;
        void (*change)(MainWindowModel&);
        std::vector<ControlStep> steps;
    };
    const Case cases[] = {
        {"nothing", [](MainWindowModel&) {}, {}},
        {"the window's presence", [](MainWindowModel& m) { m.window.raises = 2; }, {}},
        {"a selection",
         [](MainWindowModel& m) { m.Select(ChoiceList::Year, 7); },
         {{A::Select, kCboYear, 7}}},
        {"the start-up option",
         [](MainWindowModel& m) { m.runSelected = true; },
         {{A::Check, kOptRun, 1}, {A::Check, kOptDontRun, 0}}},
        {"the tray box",
         [](MainWindowModel& m) { m.sysTrayChecked = m.sysTrayEnabled = true; },
         {{A::Check, kChkSysTray, 1}, {A::Enable, kChkSysTray, 1}}},
        {"the description",
         [](MainWindowModel& m) { m.cardDescription = "Of light."; },
         {{A::SetText, kTxtCardDesc, 0, "Of light."}}},
        {"the picture",
         [](MainWindowModel& m) { m.picture = 9; },
         {{A::ShowPicture, kPicCard, 9}, {A::ShowPicture, kPicCard2, 9}}},
        {"the promotion",
         [](MainWindowModel& m) { m.promo = PromoLabel::FullBrand; },
         {{A::BringToFront, kLblFullBrand, kLblCobrand}}},
    };
    for (const Case& c : cases) {
        MainWindowModel now = before;
        c.change(now);
        EXPECT_EQ(RenderSteps(&before, now), c.steps) << c.what;
    }
}

// A list or the tray box the user changed shows the change at once; when the controller does not
// take it, the next rendering puts its own model back, and when it does, nothing is left to do.
TEST(RenderSteps, AUserChangeTheControllerRefusesIsPutBack) {
    const MainWindowModel model = Shown();
    MainWindowModel shown = model;
    TakeUserChange(shown, kCboYear, 7);
    TakeUserChange(shown, kChkSysTray, 1);
    TakeUserChange(shown, kCmdExit, 1); // a button shows no change
    EXPECT_EQ(RenderSteps(&shown, model),
              (std::vector<ControlStep>{{A::Select, kCboYear, 2}, {A::Check, kChkSysTray, 0}}));
    MainWindowModel taken = model;
    taken.Select(ChoiceList::Year, 7);
    taken.sysTrayChecked = true;
    EXPECT_TRUE(RenderSteps(&shown, taken).empty());
}

TEST(RenderSteps, ListsAreFilledOnceWhenTheModelFirstHasThem) {
    MainWindowModel empty = Shown();
    empty.listsFilled = false;
    const MainWindowModel filled = Shown();
    EXPECT_EQ(ChoiceSteps(&empty, filled).size(), std::size(kAllChoiceLists));
    EXPECT_EQ(ChoiceSteps(&empty, filled).front(),
              (ControlStep{A::FillList, kCboDate, 0, {}, ChoiceList::Date}));
    EXPECT_TRUE(ChoiceSteps(&filled, filled).empty());
    for (const ControlStep& step : ChoiceSteps(nullptr, empty)) {
        EXPECT_NE(step.act, A::FillList);
    }
}

// A start into the notification area makes nothing; a shown window has the controls around the
// pages and the page in front. Once it is painted the angel page and the unseen controls follow;
// the settings page waits until it comes to the front.
TEST(RenderSteps, TheWindowMakesThePartsItShows) {
    using P = WindowPart;
    WindowParts none;
    WindowParts firstShown;
    firstShown.Add(P::AroundPages);
    firstShown.Add(P::SettingsPage);
    WindowParts all = firstShown;
    all.Add(P::AngelPage);
    all.Add(P::BelowClientArea);
    MainWindowModel hidden = Shown();
    MainWindowModel atSettings = Shown();
    atSettings.window.shown = true;
    MainWindowModel atAngel = atSettings;
    atAngel.page = Page::Angel;
    MainWindowModel hiddenAtAngel = atAngel;
    hiddenAtAngel.window.shown = false;
    struct Case {
        const char* what;
        const MainWindowModel& model;
        const WindowParts& made;
        std::vector<P> parts;
    };
    const Case cases[] = {
        {"a start into the notification area", hidden, none, {}},
        {"a first start", atSettings, none, {P::AroundPages, P::SettingsPage}},
        {"a later start", atAngel, none, {P::AroundPages, P::AngelPage}},
        {"the settings page again", atSettings, firstShown, {}},
        {"the angel page while hidden", hiddenAtAngel, firstShown, {P::AngelPage}},
        {"everything made", atAngel, all, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PartsToMake(c.model, c.made), c.parts) << c.what;
    }
    WindowParts laterStart;
    laterStart.Add(P::AroundPages);
    laterStart.Add(P::AngelPage);
    EXPECT_EQ(PartsAfterPainting(none), std::vector<P>{});
    EXPECT_EQ(PartsAfterPainting(firstShown), (std::vector<P>{P::AngelPage, P::BelowClientArea}));
    EXPECT_EQ(PartsAfterPainting(laterStart), std::vector<P>{P::BelowClientArea});
    EXPECT_EQ(PartsAfterPainting(all), std::vector<P>{});
}

// A part made later shows what the controls made before show, and leaves the page in front as
// it is.
TEST(RenderSteps, APartMadeLaterShowsWhatTheOthersShow) {
    MainWindowModel shown = Shown();
    shown.picture = 7;
    shown.sysTrayChecked = true;
    EXPECT_EQ(PartSteps(WindowPart::AngelPage, shown),
              (std::vector<ControlStep>{{A::SetText, kLblCardName, 0, "Ariel"},
                                        {A::SetText, kTxtCardDesc, 0, "Of nature."},
                                        {A::ShowPicture, kPicCard, 7}}));
    const std::vector<ControlStep> below = PartSteps(WindowPart::BelowClientArea, shown);
    ASSERT_EQ(below.size(), 6u);
    EXPECT_EQ(below[1], (ControlStep{A::Select, kCboDate, 0}));
    EXPECT_EQ(below[5], (ControlStep{A::Select, kCboYear, 2}));
    const std::vector<ControlStep> settings = PartSteps(WindowPart::SettingsPage, shown);
    EXPECT_EQ(settings.size(), 11u); // three lists, the two options, the tray box, the picture
    EXPECT_EQ(settings.back(), (ControlStep{A::ShowPicture, kPicCard2, 7}));
    EXPECT_TRUE(PartSteps(WindowPart::AroundPages, shown).empty());

    // A page made late waits hidden by its frame; what it holds keeps its own visibility.
    const auto hidden = [](WindowPart part, bool late, ControlId id) {
        for (const ControlSpec& spec : PartLayout(part, late)) {
            if (spec.id == id) {
                return spec.hidden;
            }
        }
        ADD_FAILURE() << id << " is not in the part";
        return false;
    };
    EXPECT_FALSE(hidden(WindowPart::AngelPage, false, kFraRune));
    EXPECT_TRUE(hidden(WindowPart::AngelPage, true, kFraRune));
    EXPECT_TRUE(hidden(WindowPart::SettingsPage, true, kFraSettings));
    EXPECT_FALSE(hidden(WindowPart::AngelPage, true, kCmdSettings));
    EXPECT_FALSE(hidden(WindowPart::AroundPages, true, kCmdExit));
}

} // namespace
} // namespace haloquill
