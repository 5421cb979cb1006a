#pragma once
// A program bench_runner measures, started and waited for until its message loop has settled.

#include "driver/running_program.h"

#include <windows.h>

#include <memory>
#include <string>

namespace haloquill::bench {

struct Program {
    std::string name;      // executable base name, also its settings' name
    std::string path;      // full path
    const char* className; // its main window's class
};

// A started program, ended when this goes.
struct Running {
    std::unique_ptr<testing::RunningProgram> program;
    HWND window = nullptr; // null when it did not settle within 30 s
    double startSeconds = 0;
};

// Starts the program and waits until its first settled message loop: the main window exists
// (and is visible unless `hidden`) and a message sent to it has been answered. A program that
// cannot be started throws testing::ProgramStartError.
Running StartAndSettle(const Program& program, const std::string& arguments, bool hidden);

// Starts the program as StartAndSettle does, but waits without asking the server anything while
// the program starts (until it first waits for input), so that the server's time over the start
// is the program's and not the runner's.
Running StartQuietly(const Program& program, const std::string& arguments);

} // namespace haloquill::bench
