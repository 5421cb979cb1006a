#pragma once
// A main window controller over in-memory fakes of every port.

#include "app/main_window_controller.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_main_view.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_store.h"
#include "fakes/fake_user_attention.h"
#include "fakes/fake_web_browser.h"
#include "fakes/scripted_random.h"

namespace haloquill::testing {

struct ControllerRig {
    FakeSettingsStore store;
    FakeClock clock;
    ScriptedRandom random;
    FakeMessageBoxes messages;
    FakeWebBrowser browser;
    WebPageLauncher web{browser, "https://site.test/"};
    FakeRunKey runKey;
    FakeUserAttention attention;
    ExecutablePath executable{"D:\\My Tools\\Prog", "prog"};
    FakeMainView view;
    MainWindowController controller{MainWindowPorts{store, clock, random, messages, web, runKey,
                                                    [this] { return executable; }, attention},
                                    view};

    // Stored values of a program that has run before, its next angel due on `date`.
    void StoreLaterStart(const std::string& card = "1", const std::string& date = "2027-01-01") {
        store.values = {{"Hour", "7"},  {"Minute", "0"}, {"Second", "0"},
                        {"Date", date}, {"Card", card},  {"UpdateCheckDate", "2026-12-01"}};
    }
};

} // namespace haloquill::testing
