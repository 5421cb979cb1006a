#pragma once
// The main window's acts that are not state: the icon's menu and the end of the program.

namespace haloquill {

class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual void ShowTrayMenu() = 0; // "Show" (default) and "Exit" at the mouse
    virtual void QuitProgram() = 0;  // unloads every window and ends the program
};

} // namespace haloquill
