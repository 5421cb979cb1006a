// Drives a copy of Haloquill.exe through many cycles of what days of use do to it, as fast as the
// daily reminder allows, and watches its memory. One cycle: the reminder brings the hidden window
// up, the close box sends it to the notification area, the menu's Show brings it back, the About
// window opens and closes, the settings page comes to the front, a reminder time list is changed
// as a user changes it, the close box sends the window away with the angel page in front again,
// and the taskbar is announced as restarted. Every `every` cycles it records the working set and
// the private bytes and checks that the program still answers.
//
// Usage: soak_driver [cycles (2000)] [cycles between memory readings (500)] [steps]. Steps, when
// given, is a comma-separated list of the steps a cycle repeats instead of the whole cycle, from
// reminder, close, show, about, settings, timelist and taskbar (e.g. "show,close"); one whole
// cycle is run first then, so that everything the steps use is made before the first reading.
// Each reading also gives the program's GDI and USER objects and its handles. Exits with 0 when
// every cycle went right and neither measure grew by more than 2 % from the first reading after a
// cycle to the last; with 1 and a line saying why otherwise. The exit code is also written to the
// file that HALOQUILL_SOAK_RESULT names, if any.

#include "driver/control_search.h"
#include "driver/program_driver.h"

#include "win32/about_window.h"
#include "win32/main_window.h"

#include <windows.h>

#include <psapi.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using haloquill::ControlId;
using haloquill::testing::FindControlById;
using haloquill::testing::ProgramDriver;
using haloquill::testing::RunningProgram;
using namespace std::chrono_literals;

constexpr double kAllowedGrowth = 0.02;

// A cycle that went wrong: what it was doing and why it failed.
class SoakFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

double Seconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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

struct WindowCount {
    DWORD processId;
    int program = 0;
    int others = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM lParam) {
    auto& count = *reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    ++(owner == count.processId ? count.program : count.others);
    return TRUE;
}

// The steps of a cycle, in the order the whole cycle takes them.
enum class Step { Reminder, CloseBox, Show, About, Settings, TimeList, TaskbarCreated };

struct StepName {
    Step step;
    const char* name;
};

constexpr std::array<StepName, 7> kStepNames{{{Step::Reminder, "reminder"},
                                              {Step::CloseBox, "close"},
                                              {Step::Show, "show"},
                                              {Step::About, "about"},
                                              {Step::Settings, "settings"},
                                              {Step::TimeList, "timelist"},
                                              {Step::TaskbarCreated, "taskbar"}}};

const std::vector<Step> kWholeCycle{Step::Reminder, Step::CloseBox,      Step::Show,
                                    Step::About,    Step::Settings,      Step::TimeList,
                                    Step::CloseBox, Step::TaskbarCreated};

const char* NameOf(Step step) {
    for (const StepName& entry : kStepNames) {
        if (entry.step == step) {
            return entry.name;
        }
    }
    return "?";
}

// The steps a comma-separated list names, or nothing when a name is unknown or none is given.
std::optional<std::vector<Step>> ParseSteps(const std::string& list) {
    std::vector<Step> steps;
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        bool known = false;
        for (const StepName& entry : kStepNames) {
            if (name == entry.name) {
                steps.push_back(entry.step);
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    if (steps.empty()) {
        return std::nullopt;
    }
    return steps;
}

class Soak {
  public:
    Soak(ProgramDriver& driver, RunningProgram& program)
        : driver_(driver), program_(program),
          taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")) {}

    // The window as a first start after the stored settings shows it, then sent away.
    void Begin() {
        step_ = "start";
        if (!program_.WaitForMainWindow(30s)) {
            throw SoakFailure("the program showed no main window within 30 s");
        }
        WaitFor(
            "the main window is shown", [&] { return IsShown(); }, 30s);
        CloseBox();
    }

    // Runs `steps` in order, timing each.
    void Cycle(int number, const std::vector<Step>& steps) {
        cycle_ = number;
        stepSeconds_.resize(steps.size());
        for (std::size_t index = 0; index < steps.size(); ++index) {
            const double start = Seconds();
            Run(steps[index], number);
            stepSeconds_[index] += Seconds() - start;
        }
    }

    // The mean time of each step of a cycle, in the order the cycle takes them.
    std::string StepTimes(const std::vector<Step>& steps, int cycles) const {
        std::string text;
        for (std::size_t index = 0; index < steps.size() && index < stepSeconds_.size(); ++index) {
            char part[64];
            std::snprintf(part, sizeof part, "%s%s %.3f s", text.empty() ? "" : ", ",
                          NameOf(steps[index]), stepSeconds_[index] / cycles);
            text += part;
        }
        return text;
    }

    // Forgets the times taken so far, such as those of a warm-up cycle.
    void ResetTimes() { stepSeconds_.clear(); }

    // Shows the window once more, to see the angel page in front after the last cycle.
    void End() {
        cycle_ = 0;
        Show();
        AngelPageInFront();
    }

    MemoryReading ReadMemory(int cycle, double since) {
        step_ = "memory reading";
        MustAnswer();
        const HANDLE process =
            ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program_.ProcessId());
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        const BOOL read =
            process &&
            ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                   sizeof counters);
        DWORD gdiObjects = 0;
        DWORD userObjects = 0;
        long handles = -1;
        if (process) {
            // Wine may answer 0 for the object counts: it keeps no count of them per process.
            gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
            userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
            if (DWORD count = 0; ::GetProcessHandleCount(process, &count)) {
                handles = static_cast<long>(count);
            }
            ::CloseHandle(process);
        }
        if (!read) {
            throw SoakFailure("the program's memory could not be read");
        }
        // Windows gives the private commit in both fields; Wine fills only the second one, with
        // the process's private (anonymous) resident memory.
        const SIZE_T privateBytes =
            counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
        WindowCount windows{program_.ProcessId()};
        ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
        return {cycle,
                static_cast<double>(counters.WorkingSetSize) / 1024.0,
                static_cast<double>(privateBytes) / 1024.0,
                Seconds() - since,
                gdiObjects,
                userObjects,
                handles,
                windows.program,
                windows.others};
    }

    std::string Where() const {
        return (cycle_ > 0 ? "cycle " + std::to_string(cycle_) + ", " : std::string()) + step_;
    }

  private:
    void Run(Step step, int number) {
        switch (step) {
        case Step::Reminder:
            // The reminder shows a hidden window only: a shown one is sent away first.
            if (IsShown()) {
                CloseBox();
            }
            Reminder();
            break;
        case Step::CloseBox:
            CloseBox();
            break;
        case Step::Show:
            Show();
            break;
        case Step::About:
            AboutWindow();
            break;
        case Step::Settings:
            SettingsPage();
            break;
        case Step::TimeList:
            ChangeTimeList(number % 2 == 0 ? haloquill::kCboMinute : haloquill::kCboSecond);
            break;
        case Step::TaskbarCreated:
            TaskbarRestarted();
            break;
        }
    }

    HWND Main() const { return program_.MainWindow(); }
    bool IsShown() const { return ::IsWindowVisible(Main()) != FALSE; }

    // Waits until `condition` holds; fails when the time is up, the program has gone or one of
    // its message boxes would block it.
    template <typename Condition>
    void WaitFor(const std::string& what, Condition condition,
                 std::chrono::milliseconds timeout = 10s) {
        const double deadline = Seconds() + static_cast<double>(timeout.count()) / 1000.0;
        for (int poll = 0;; ++poll) {
            if (condition()) {
                return;
            }
            if (!program_.IsRunning()) {
                throw SoakFailure("the program is gone (exit code " +
                                  std::to_string(program_.ExitCode()) + ") while waiting until " +
                                  what);
            }
            if (poll % 10 == 9) {
                const auto boxes = program_.MessageBoxes();
                if (!boxes.empty()) {
                    throw SoakFailure("a message box \"" + boxes.front().caption + "\" (\"" +
                                      boxes.front().text + "\") blocks the program");
                }
            }
            if (Seconds() >= deadline) {
                throw SoakFailure("timed out after " + std::to_string(timeout.count() / 1000) +
                                  " s waiting until " + what);
            }
            ::Sleep(10);
        }
    }

    void MustAnswer() {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) {
            throw SoakFailure(program_.IsRunning() ? "the program did not answer within 5 s"
                                                   : "the program is gone");
        }
    }

    void Post(ControlId id) {
        if (!::PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0)) {
            throw SoakFailure("a command could not be posted to the main window");
        }
    }

    // Stores the reminder time just ahead, so that the next one-second tick or the one after
    // passes it, and waits for the program to show its window.
    void Reminder() {
        step_ = "daily reminder";
        long long moment = 0;
        long long ahead = 0;
        for (;;) {
            SYSTEMTIME now;
            ::GetLocalTime(&now);
            moment = now.wHour * 3600LL + now.wMinute * 60LL + now.wSecond;
            // The stored time must be in place before its second begins.
            ahead = now.wMilliseconds < 700 ? 1 : 2;
            if (moment + ahead < haloquill::testing::kSecondsPerDay) {
                break;
            }
            // The reminder does not reach over midnight: the cycle waits for the new day.
            ::Sleep(static_cast<DWORD>((haloquill::testing::kSecondsPerDay - moment + 1) * 1000));
        }
        moment += ahead;
        haloquill::testing::WriteReminderTime(driver_, moment);
        auto& settings = driver_.Settings();
        WaitFor(
            "the reminder at " + settings.ReadSetting("Hour") + ":" +
                settings.ReadSetting("Minute") + ":" + settings.ReadSetting("Second") +
                " shows the hidden window",
            [&] { return IsShown(); }, std::chrono::seconds(ahead + 4));
        // Half a day away at once: only the hour changes, so no tick sees a time in between.
        settings.WriteSetting("Hour", std::to_string((moment / 3600 + 12) % 24));
        AngelPageInFront();
    }

    void AngelPageInFront() {
        step_ += ", angel page in front";
        WaitFor("the angel page is in front", [&] {
            const HWND angel = FindControlById(Main(), haloquill::kFraRune);
            const HWND settings = FindControlById(Main(), haloquill::kFraSettings);
            return ::IsWindowVisible(angel) && !(settings && ::IsWindowVisible(settings));
        });
    }

    void CloseBox() {
        step_ = "close box";
        ::PostMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
        WaitFor("the close box hides the window", [&] { return !IsShown(); });
    }

    void Show() {
        step_ = "Show from the notification area";
        Post(haloquill::kMnuPop);
        WaitFor("Show shows the window", [&] { return IsShown(); });
    }

    void AboutWindow() {
        step_ = "About window";
        Post(haloquill::kMnuAbout);
        HWND about = nullptr;
        WaitFor("the About window is shown", [&] {
            about = program_.ShownTopLevelWindow(haloquill::win32::kAboutWindowClass);
            return about != nullptr;
        });
        ::PostMessageA(about, WM_CLOSE, 0, 0);
        WaitFor("the About window is closed", [&] {
            return !program_.ShownTopLevelWindow(haloquill::win32::kAboutWindowClass) &&
                   ::IsWindowEnabled(Main());
        });
    }

    void SettingsPage() {
        step_ = "settings page";
        Post(haloquill::kMnuSettings);
        WaitFor("the settings page is in front", [&] {
            const HWND settings = FindControlById(Main(), haloquill::kFraSettings);
            const HWND angel = FindControlById(Main(), haloquill::kFraRune);
            return ::IsWindowVisible(settings) && !(angel && ::IsWindowVisible(angel));
        });
    }

    // Selects the next entry of the list and tells the program as the list itself does when
    // the user picks an entry; the program stores the new time at once.
    void ChangeTimeList(ControlId id) {
        const bool minute = id == haloquill::kCboMinute;
        const std::string key = minute ? "Minute" : "Second";
        step_ = "time list " + key;
        HWND list = nullptr;
        WaitFor("the list exists", [&] { return (list = FindControlById(Main(), id)) != nullptr; });
        const std::string before = driver_.Settings().ReadSetting(key);
        const auto count = Send(list, CB_GETCOUNT, 0, 0);
        const auto selected = Send(list, CB_GETCURSEL, 0, 0);
        if (count < 2) {
            throw SoakFailure("the list holds " + std::to_string(count) + " entries");
        }
        // The next entry, or the one after when the next one is the stored value (the reminder
        // stores times the list does not show).
        std::string chosen;
        for (LRESULT step = 1; step <= 2 && (chosen.empty() || chosen == before); ++step) {
            Send(list, CB_SETCURSEL, static_cast<WPARAM>((selected + step) % count), 0);
            chosen = program_.WindowText(list);
        }
        Send(::GetParent(list), WM_COMMAND,
             MAKEWPARAM(static_cast<unsigned>(id), static_cast<unsigned>(CBN_SELCHANGE)),
             reinterpret_cast<LPARAM>(list));
        const std::string stored = driver_.Settings().ReadSetting(key);
        if (stored != chosen) {
            throw SoakFailure("the list shows \"" + chosen + "\" but \"" + stored +
                              "\" is stored (it was \"" + before + "\")");
        }
    }

    void TaskbarRestarted() {
        step_ = "TaskbarCreated";
        Send(Main(), taskbarCreated_, 0, 0);
    }

    // Sends and waits for the answer; fails when none comes.
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000,
                                   &result)) {
            throw SoakFailure(program_.IsRunning() ? "a sent message was not answered within 5 s"
                                                   : "the program is gone");
        }
        return static_cast<LRESULT>(result);
    }

    ProgramDriver& driver_;
    RunningProgram& program_;
    UINT taskbarCreated_;
    int cycle_ = 0;
    std::string step_;
    std::vector<double> stepSeconds_;
};

void PrintReading(const MemoryReading& reading) {
    std::printf("cycle %5d: working set %8.0f KiB, private %8.0f KiB, GDI %lu, USER %lu, "
                "handles %ld, top-level windows %d (others %d), answers; %6.0f s\n",
                reading.cycle, reading.workingSetKiB, reading.privateKiB,
                static_cast<unsigned long>(reading.gdiObjects),
                static_cast<unsigned long>(reading.userObjects), reading.handles,
                reading.programWindows, reading.otherWindows, reading.seconds);
    std::fflush(stdout);
}

double Growth(double from, double to) {
    return from > 0 ? (to - from) / from : 0.0;
}

int Run(int cycles, int every, const std::vector<Step>& steps, bool wholeCycle) {
    ProgramDriver driver("HaloquillSoak", "haloquill-soak");
    // A later start that asks nothing: the update check done today, the angel drawn ahead, and
    // the reminder half a day away until a cycle wants it.
    auto& settings = driver.Settings();
    settings.WriteSetting("Second", "0");
    settings.WriteSetting("Minute", "0");
    settings.WriteSetting("Hour",
                          std::to_string((haloquill::testing::NowSeconds() / 3600 + 12) % 24));
    settings.WriteSetting("Card", "2");
    settings.WriteSetting("Date", haloquill::testing::TodayIso(4));
    settings.WriteSetting("UpdateCheckDate", haloquill::testing::TodayIso());

    // On a desktop with the shell, the program starts once the taskbar is there: a shell still
    // starting can hold the program's ticks long enough for a reminder to be skipped.
    if (!haloquill::testing::WaitUntil([] { return ::FindWindowA("Shell_TrayWnd", nullptr); },
                                       30s)) {
        std::printf("No taskbar: the program runs without a notification area.\n");
    }
    auto program = driver.Start();
    Soak soak(driver, *program);
    std::vector<MemoryReading> readings;
    const double began = Seconds();
    try {
        soak.Begin();
        if (!wholeCycle) {
            // Everything the chosen steps use is made by one whole cycle before the first reading.
            soak.Cycle(0, kWholeCycle);
            soak.ResetTimes();
        }
        readings.push_back(soak.ReadMemory(0, began));
        PrintReading(readings.back());
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            soak.Cycle(cycle, steps);
            if (cycle % every == 0 || cycle == cycles) {
                readings.push_back(soak.ReadMemory(cycle, began));
                PrintReading(readings.back());
            }
        }
        soak.End();
    } catch (const SoakFailure& failure) {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        std::printf("Soak failed (%s) at %02u:%02u:%02u.%03u: %s\n", soak.Where().c_str(),
                    now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, failure.what());
        return 1;
    }
    const double seconds = Seconds() - began;
    if (!program->Close()) {
        std::printf("Soak failed: the program did not end when its menu's Exit was chosen.\n");
        return 1;
    }

    // Growth from the first reading after a cycle (the program has then built everything a
    // cycle needs) to the last.
    const MemoryReading& first = readings.size() > 1 ? readings[1] : readings.front();
    const MemoryReading& last = readings.back();
    const double workingSet = Growth(first.workingSetKiB, last.workingSetKiB);
    const double privateBytes = Growth(first.privateKiB, last.privateKiB);
    std::printf("%d cycles in %.0f s (%.2f s a cycle). From cycle %d to %d: working set %+.2f %%, "
                "private %+.2f %% (at most %+.0f %% allowed).\n",
                cycles, seconds, seconds / cycles, first.cycle, last.cycle, workingSet * 100.0,
                privateBytes * 100.0, kAllowedGrowth * 100.0);
    std::printf("Mean time of each step: %s.\n", soak.StepTimes(steps, cycles).c_str());
    if (workingSet > kAllowedGrowth || privateBytes > kAllowedGrowth) {
        std::printf("Soak failed: memory grew by more than %.0f %%.\n", kAllowedGrowth * 100.0);
        return 1;
    }
    std::printf("Soak passed.\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int every = argc > 2 ? std::atoi(argv[2]) : 500;
    const bool wholeCycle = argc <= 3;
    const auto steps =
        wholeCycle ? std::optional<std::vector<Step>>(kWholeCycle) : ParseSteps(argv[3]);
    if (cycles < 1 || every < 1 || !steps) {
        std::fprintf(stderr, "usage: soak_driver [cycles] [cycles between memory readings] "
                             "[steps: reminder,close,show,about,settings,timelist,taskbar]\n");
        return 2;
    }
    int result = 1;
    try {
        if (!wholeCycle) {
            std::string names;
            for (const Step step : *steps) {
                names += (names.empty() ? "" : ", ") + std::string(NameOf(step));
            }
            std::printf("Each cycle repeats: %s.\n", names.c_str());
        }
        result = Run(cycles, every, *steps, wholeCycle);
    } catch (const std::exception& error) {
        std::printf("Soak failed: %s\n", error.what());
    }
    // Started inside a Wine desktop, the driver's exit code does not reach the script; the
    // script names a file for it.
    if (const char* path = std::getenv("HALOQUILL_SOAK_RESULT"); path && *path) {
        if (FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%d\n", result);
            std::fclose(file);
        }
    }
    return result;
}
