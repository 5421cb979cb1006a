#include "app/start_up_choices.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace haloquill {
namespace {

struct ChoicesRig {
    testing::FakeSettingsStore store;
    testing::FakeRunKey runKey;
    testing::FakeMessageBoxes messages;
    bool ending = false;
    MainWindowModel model;
    StartUpChoices choices{model,
                           {store, runKey, messages,
                            [] {
                                return ExecutablePath{"C:\\Tools", "prog"};
                            },
                            [this] { return ending; }}};
};

TEST(StartUpChoices, LoadAppliesEachStoredValueOnItsOwnAndWritesOnlyWhatTheHandlersWrite) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        bool checked;
        bool run;
        const char* runAtSysTray; // as stored afterwards; null: never written
        int hour, minute, second; // the positions selected, -1 for none
    };
    const Case cases[] = {
        {"tray and autorun as a number",
         {{"SystemTray", "True"}, {"AutorunStartUp", "1"}, {"Hour", "7"}},
         true,
         true,
         "True",
         7,
         -1,
         -1},
        {"autorun with a clear box",
         {{"SystemTray", "False"}, {"AutorunStartUp", "True"}},
         false,
         true,
         nullptr,
         -1,
         -1,
         -1},
        // Autorun absent reads "False": Don't run is selected already, so its handler does not
        // run and the box keeps the state the first step gave it.
        {"tray without autorun", {{"SystemTray", "True"}}, true, false, "True", -1, -1, -1},
        {"true in lower case", {{"SystemTray", "true"}}, false, false, nullptr, -1, -1, -1},
        {"TRUE", {{"SystemTray", "TRUE"}}, false, false, nullptr, -1, -1, -1},
        {"a blank after True", {{"SystemTray", "True "}}, false, false, nullptr, -1, -1, -1},
        {"a number", {{"SystemTray", "1"}}, false, false, nullptr, -1, -1, -1},
        {"hostile values elsewhere",
         {{"SystemTray", "True"},
          {"AutorunStartUp", "maybe"},
          {"Hour", "24"},
          {"Minute", "abc"},
          {"Second", "9"}},
         true,
         false,
         "True",
         -1,
         -1,
         9},
        {"a leading zero", {{"Hour", "07"}, {"Minute", "30"}}, false, false, nullptr, -1, 30, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChoicesRig rig;
        rig.store.values = c.stored;
        rig.choices.LoadSettings();
        EXPECT_EQ(rig.model.sysTrayChecked, c.checked);
        EXPECT_EQ(rig.model.runSelected, c.run);
        EXPECT_EQ(rig.model.sysTrayEnabled, c.run);
        EXPECT_EQ(rig.runKey.values.contains("prog"), c.run);
        EXPECT_EQ(rig.model.Selection(ChoiceList::Hour), c.hour);
        EXPECT_EQ(rig.model.Selection(ChoiceList::Minute), c.minute);
        EXPECT_EQ(rig.model.Selection(ChoiceList::Second), c.second);
        auto expected = c.stored; // what was stored stays, written back as it was where selected
        if (c.runAtSysTray) {
            expected["RunAtSysTray"] = c.runAtSysTray;
        }
        EXPECT_EQ(rig.store.values, expected);
    }
}

TEST(StartUpChoices, SavingBeforeTheLoadOrOnceEndingKeepsWhatTheUserChose) {
    ChoicesRig rig;
    rig.store.values = {{"AutorunStartUp", "True"}, {"SystemTray", "True"}};
    rig.choices.SaveLoadedSettings(); // the choices show only their initial state yet
    rig.ending = true;
    rig.choices.SaveSettings();
    EXPECT_EQ(rig.store.writes.size(), 0u);

    rig.ending = false;
    rig.choices.LoadSettings();
    rig.ending = true; // the closing saves what was loaded, and nothing else runs a handler
    rig.choices.SelectRunOption(false);
    rig.choices.SaveLoadedSettings();
    EXPECT_EQ(rig.store.Get("AutorunStartUp"), "True");
    EXPECT_EQ(rig.store.Get("SystemTray"), "True");
    EXPECT_TRUE(rig.runKey.values.contains("prog"));
}

} // namespace
} // namespace haloquill
