#include "driver/running_program.h"

#include "driver/control_search.h"

#include <optional>
#include <string>

namespace haloquill::testing {

namespace {

// The answer to a sent message, or nothing when none came within 5 s.
std::optional<LRESULT> SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendAndWait(window, message, wParam, lParam).value_or(0);
}

} // namespace

HWND RunningProgram::Control(ControlId id) const {
    return FindControlById(mainWindow_, id);
}

std::string RunningProgram::WindowText(HWND window) const {
    if (!window) {
        return "<no window>";
    }
    const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied =
        SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string RunningProgram::Text(ControlId id) const {
    return WindowText(Control(id));
}

int RunningProgram::ListSelection(ControlId id) const {
    return static_cast<int>(SendWithTimeout(Control(id), CB_GETCURSEL, 0, 0));
}

int RunningProgram::ListCount(ControlId id) const {
    return static_cast<int>(SendWithTimeout(Control(id), CB_GETCOUNT, 0, 0));
}

bool RunningProgram::IsVisible(ControlId id) const {
    HWND control = Control(id);
    return control && ::IsWindowVisible(control);
}

bool RunningProgram::IsEnabled(ControlId id) const {
    HWND control = Control(id);
    return control && ::IsWindowEnabled(control);
}

bool RunningProgram::IsChecked(ControlId id) const {
    return SendWithTimeout(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RunningProgram::ClickButton(ControlId id) const {
    ::PostMessageA(Control(id), BM_CLICK, 0, 0);
}

bool RunningProgram::PostCommand(ControlId id) const {
    return ::PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

void RunningProgram::PressCloseBox() const {
    ::PostMessageA(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool RunningProgram::ShowSettingsPage() const {
    if (!WaitUntil([&] { return ::IsWindowVisible(mainWindow_) != FALSE; })) {
        return false;
    }
    PostCommand(kMnuSettings);
    // Seen from here, the page is visible while it is still being made.
    return WaitUntil([&] { return IsVisible(kFraSettings); }) && WaitUntilIdle();
}

void RunningProgram::ChooseListPosition(ControlId id, int position) const {
    HWND list = Control(id);
    SendWithTimeout(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

bool RunningProgram::SelectListPosition(ControlId id, int position) const {
    return SendAndWait(Control(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0).has_value();
}

bool RunningProgram::NotifyListChoice(ControlId id) const {
    HWND list = Control(id);
    return SendAndWait(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list))
        .has_value();
}

namespace {

BOOL CALLBACK CountWindow(HWND /*window*/, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

int RunningProgram::ControlCount() const {
    int count = 0;
    ::EnumChildWindows(mainWindow_, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace haloquill::testing
