#pragma once
// The windows of a setup or uninstaller that runs with its pages shown: found by caption or
// text in whichever process shows them (the uninstaller runs as a copy of itself), read and
// clicked as a user does.

#include <windows.h>

#include <string>

namespace haloquill::testing {

// A shown top-level dialog whose caption is `caption` (trailing blanks aside); null when there is
// none.
HWND FindDialogByCaption(const std::string& caption);
// A shown message box whose text begins with `text`; null when there is none.
HWND FindMessageBox(const std::string& text);
// A control anywhere below `root` whose text, access-key marks left out, is `text`.
HWND FindControlByText(HWND root, const std::string& text);
// A window's text with its access-key marks ("&") left out.
std::string PlainText(HWND window);
// The button a wizard moves on with (Install, Finish, Uninstall, Close), as its text says.
std::string NextButtonText(HWND wizard);
void ClickNextButton(HWND wizard);
// Clicks a button as the mouse does, posted so that what it opens does not hold the caller.
void Click(HWND button);
// Ends the process that shows `window`, when there is one.
void KillProcessOf(HWND window);

} // namespace haloquill::testing
