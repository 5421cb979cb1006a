#pragma once
// What a test sees of a program from outside it: its icon in the notification area, the stacking
// order of its windows, and a Run key that refuses to be written.

#include <windows.h>

#include <vector>

namespace haloquill::testing {

// True when the notification area holds the icon `id` of the window `receiver`: the shell
// accepts a change of it (a change that changes nothing) only then.
bool NotificationIconShown(HWND receiver, UINT id = 1);

// True when `upper` lies in front of `lower` in the stacking order of the top-level windows.
bool IsInFrontOf(HWND upper, HWND lower);

// While it lives, HKCU\Software\Microsoft\Windows\CurrentVersion\Run can be read but not opened
// for writing, so a program's writes there fail with "access denied"; its own access list comes
// back when it goes. Other programs cannot write the key meanwhile either, so a test that uses it
// runs alone.
class RunKeyWriteBlock {
  public:
    RunKeyWriteBlock();
    RunKeyWriteBlock(const RunKeyWriteBlock&) = delete;
    RunKeyWriteBlock& operator=(const RunKeyWriteBlock&) = delete;
    ~RunKeyWriteBlock();

    // True when opening the key for writing is refused now.
    static bool WritesRefused();

  private:
    std::vector<BYTE> saved_; // the key's access list as it was
};

} // namespace haloquill::testing
