// The real Haloquill.exe under Wine as assistive technology meets it: each clickable label is a
// link named by its text, and the About window a dialog described by its text.

#include "design/control_look.h"
#include "driver/browser_stand_ins.h"
#include "driver/colour_scheme.h"
#include "driver/program_driver.h"
#include "driver/screen_picture.h"
#include "driver/shown_start.h"
#include "web/web_pages.h"
#include "win32/about_window.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace haloquill::testing {
namespace {

// COM on the test's thread, as a screen reader has it.
class ComScope {
  public:
    ComScope() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { ::CoUninitialize(); }
};

std::string Narrow(BSTR text) {
    std::string narrow;
    for (const wchar_t* at = text; at && *at; ++at) {
        narrow += *at < 128 ? static_cast<char>(*at) : '?';
    }
    ::SysFreeString(text);
    return narrow;
}

// What a screen reader learns from the client object of a window.
struct AccessibleFacts {
    bool found = false;
    long role = 0;
    long state = 0;
    std::string name;
    std::string description;
    std::string defaultAction;
};

VARIANT Self() {
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

AccessibleFacts FactsOf(IAccessible& object) {
    AccessibleFacts facts;
    facts.found = true;
    VARIANT value;
    ::VariantInit(&value);
    if (SUCCEEDED(object.get_accRole(Self(), &value)) && value.vt == VT_I4) {
        facts.role = value.lVal;
    }
    ::VariantInit(&value);
    if (SUCCEEDED(object.get_accState(Self(), &value)) && value.vt == VT_I4) {
        facts.state = value.lVal;
    }
    BSTR text = nullptr;
    if (SUCCEEDED(object.get_accName(Self(), &text))) {
        facts.name = Narrow(text);
    }
    text = nullptr;
    if (SUCCEEDED(object.get_accDescription(Self(), &text))) {
        facts.description = Narrow(text);
    }
    text = nullptr;
    if (SUCCEEDED(object.get_accDefaultAction(Self(), &text))) {
        facts.defaultAction = Narrow(text);
    }
    return facts;
}

// The client object as a screen reader asks the window for it.
AccessibleFacts AskWindow(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible, reinterpret_cast<void**>(&object))) ||
        !object) {
        return {};
    }
    AccessibleFacts facts = FactsOf(*object);
    object->Release();
    return facts;
}

// The role the system gives the client object of the window's class, without the program's say.
long SystemRoleOf(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&object))) ||
        !object) {
        return 0;
    }
    const long role = FactsOf(*object).role;
    object->Release();
    return role;
}

// The link's default action, as assistive technology carries it out.
bool DoDefaultAction(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible, reinterpret_cast<void**>(&object))) ||
        !object) {
        return false;
    }
    const bool done = SUCCEEDED(object->accDoDefaultAction(Self()));
    object->Release();
    return done;
}

// A label's text as it shows: "&&" shows as "&", and a single "&" marks the access key.
std::string ShownText(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&' && at + 1 < text.size()) {
            ++at;
        }
        shown += text[at];
    }
    return shown;
}

void ExpectLink(const RunningProgram& program, HWND link) {
    const AccessibleFacts facts = AskWindow(link);
    const std::string text = ShownText(program.WindowText(link));
    SCOPED_TRACE(text);
    ASSERT_TRUE(facts.found);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_LINK);
    EXPECT_EQ(facts.name, text);
    EXPECT_EQ(facts.defaultAction, "Jump");
    EXPECT_TRUE(facts.state & STATE_SYSTEM_LINKED);
}

HWND WaitForAbout(const RunningProgram& program) {
    HWND about = nullptr;
    WaitUntil([&] { return (about = program.ShownTopLevelWindow(win32::kAboutWindowClass)); });
    return about;
}

TEST(EndToEndAssistive, EachClickableLabelIsALinkNamedByItsTextAndDoesItsJump) {
    ComScope com;
    RecordingBrowser browser;
    ProgramDriver driver("HqLinkRoles");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);

    for (ControlId id : {kLabel61, kLblCobrand, kLblFullBrand}) {
        ExpectLink(*program, program->Control(id));
    }
    // A plain label keeps the role the system gives it.
    for (ControlId id : {kLabel8, kLblCardName}) {
        HWND label = program->Control(id);
        const AccessibleFacts facts = AskWindow(label);
        EXPECT_EQ(facts.role, SystemRoleOf(label)) << program->WindowText(label);
        EXPECT_NE(facts.role, ROLE_SYSTEM_LINK) << program->WindowText(label);
        EXPECT_FALSE(facts.state & STATE_SYSTEM_LINKED);
    }
    ASSERT_TRUE(DoDefaultAction(program->Control(kLabel61)));
    EXPECT_EQ(browser.WaitForAddresses(1, *program),
              std::vector<std::string>{PageAddress(ConfiguredSiteBase(), WebPage::Home)});

    program->PostCommand(kMnuAbout);
    HWND about = WaitForAbout(*program);
    ASSERT_NE(about, nullptr);
    for (ControlId id : {kAboutLblHomePage, kAboutLabel5}) {
        ExpectLink(*program, ::GetDlgItem(about, id));
    }
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
    ASSERT_TRUE(program->Close());
}

TEST(EndToEndAssistive, TheAboutWindowIsADialogDescribedByItsText) {
    ComScope com;
    ProgramDriver driver("HqAboutRole");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    const AccessibleFacts main = AskWindow(program->MainWindow());
    EXPECT_NE(main.role, ROLE_SYSTEM_DIALOG) << "the main window is no dialog";

    program->PostCommand(kMnuAbout);
    HWND about = WaitForAbout(*program);
    ASSERT_NE(about, nullptr);
    const AccessibleFacts facts = AskWindow(about);
    ASSERT_TRUE(facts.found);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_DIALOG);
    EXPECT_EQ(facts.name, program->WindowText(about));
    const std::string text = program->WindowText(::GetDlgItem(about, kAboutLabel1));
    EXPECT_TRUE(text.starts_with("'Angel' is an English word")) << text;
    EXPECT_EQ(facts.description, text);
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
    ASSERT_TRUE(program->Close());
}

} // namespace
} // namespace haloquill::testing
