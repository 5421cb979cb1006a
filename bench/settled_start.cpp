#include "settled_start.h"

#include "elapsed_seconds.h"

#include "driver/process_start.h"
#include "driver/top_level_windows.h"

namespace haloquill::bench {

using namespace std::chrono_literals;

namespace {

// Starts the program; its start is the moment of the call that made the process.
Running Start(const Program& program, const std::string& arguments) {
    Running running;
    running.program = testing::StartProcess("\"" + program.path + "\" " + arguments);
    running.startSeconds = Seconds(running.program->Started());
    return running;
}

} // namespace

Running StartAndSettle(const Program& program, const std::string& arguments, bool hidden) {
    Running running = Start(program, arguments);
    const double deadline = running.startSeconds + 30;
    while (Seconds() < deadline) {
        const auto windows = running.program->TopLevelWindows(program.className);
        if (!windows.empty() && (hidden || ::IsWindowVisible(windows.front()))) {
            testing::WaitForAnswer(windows.front(), 10s);
            running.window = windows.front();
            break;
        }
        ::Sleep(1);
    }
    return running;
}

Running StartQuietly(const Program& program, const std::string& arguments) {
    Running running = Start(program, arguments);
    running.program->WaitForInputIdle(30s);
    const double deadline = running.startSeconds + 30;
    while (Seconds() < deadline) {
        const auto windows = running.program->TopLevelWindows(program.className);
        if (!windows.empty()) {
            testing::WaitForAnswer(windows.front(), 10s);
            running.window = windows.front();
            break;
        }
        ::Sleep(20);
    }
    return running;
}

} // namespace haloquill::bench
