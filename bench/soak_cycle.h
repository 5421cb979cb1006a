#pragma once
// One soak of a running Haloquill.exe: the steps of a cycle as a user takes them, each waiting
// until the program has done what the user would see, and the readings of its memory between
// cycles.

#include "soak_steps.h"

#include "driver/program_driver.h"

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

namespace haloquill::bench {

// A cycle that went wrong: what it was doing and why it failed.
class SoakFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct MemoryReading {
    int cycle = 0;
    double workingSetKiB = 0;
    double privateKiB = 0;
    double seconds = 0; // since the first cycle began
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    long handles = -1; // -1 when the count could not be read
    // Top-level windows on the desktop, the program's and all others (the shell's among them),
    // counted because Wine keeps no count of USER objects.
    int programWindows = 0;
    int otherWindows = 0;
};

class Soak {
  public:
    Soak(testing::ProgramDriver& driver, testing::RunningProgram& program)
        : driver_(driver), program_(program) {}

    // The window as a first start after the stored settings shows it, then sent away.
    void Begin();
    // Runs `steps` in order, timing each.
    void Cycle(int number, const std::vector<Step>& steps);
    // The mean time of each step of a cycle, in the order the cycle takes them.
    std::string StepTimes(const std::vector<Step>& steps, int cycles) const;
    // Forgets the times taken so far, such as those of a warm-up cycle.
    void ResetTimes() { stepSeconds_.clear(); }
    // Shows the window once more, to see the angel page in front after the last cycle.
    void End();
    MemoryReading ReadMemory(int cycle, double since);
    // The cycle and the step under way, for a failure's report.
    std::string Where() const;

  private:
    void Run(Step step, int number);
    bool IsShown() const;

    // Waits until `condition` holds; fails when the time is up, the program has gone or one of
    // its message boxes would block it.
    template <typename Condition>
    void WaitFor(const std::string& what, Condition condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void MustAnswer();
    void Post(ControlId id);
    // The failure of a sent message that got no answer.
    SoakFailure Unanswered() const;

    void Reminder();
    void AngelPageInFront();
    void CloseBox();
    void Show();
    void AboutWindow();
    void SettingsPage();
    void ChangeTimeList(ControlId id);
    void TaskbarRestarted();

    testing::ProgramDriver& driver_;
    testing::RunningProgram& program_;
    int cycle_ = 0;
    std::string step_;
    std::vector<double> stepSeconds_;
};

} // namespace haloquill::bench
