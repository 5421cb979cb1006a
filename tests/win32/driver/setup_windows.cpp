#include "driver/setup_windows.h"

#include "win32/unique_handle.h"

#include <algorithm>

namespace haloquill::testing {

namespace {

constexpr char kDialogClass[] = "#32770";
// The identifier of a message box's text.
constexpr int kMessageTextId = 0xFFFF;

std::string RawText(HWND window) {
    char text[512] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(text, std::min<std::size_t>(copied, sizeof text - 1));
}

// NSIS ends a wizard's caption with the current page's caption, a blank on pages that have none.
std::string TrimmedRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

struct DialogSearch {
    std::string wanted;
    bool byMessage;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != kDialogClass || !::IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->byMessage) {
        HWND message = ::GetDlgItem(window, kMessageTextId);
        if (message && RawText(message).rfind(search->wanted, 0) == 0) {
            search->found = window;
            return FALSE;
        }
    } else if (TrimmedRight(RawText(window)) == search->wanted) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ControlSearch {
    std::string wanted;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (PlainText(window) == search->wanted) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindDialogByCaption(const std::string& caption) {
    DialogSearch search{caption, false, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(const std::string& text) {
    DialogSearch search{text, true, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindControlByText(HWND root, const std::string& text) {
    ControlSearch search{text, nullptr};
    if (root) {
        ::EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::string PlainText(HWND window) {
    std::string text = RawText(window);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

std::string NextButtonText(HWND wizard) {
    HWND next = ::GetDlgItem(wizard, IDOK);
    return next && ::IsWindowEnabled(next) ? PlainText(next) : std::string();
}

void ClickNextButton(HWND wizard) {
    Click(::GetDlgItem(wizard, IDOK));
}

void Click(HWND button) {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

void KillProcessOf(HWND window) {
    if (!window) {
        return;
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const win32::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (process) {
        ::TerminateProcess(process.Get(), 99);
        ::WaitForSingleObject(process.Get(), 10000);
    }
}

} // namespace haloquill::testing
