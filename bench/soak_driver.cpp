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

#include "elapsed_seconds.h"
#include "soak_cycle.h"
#include "soak_steps.h"

#include "driver/program_driver.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using haloquill::bench::MemoryReading;
using haloquill::bench::Seconds;
using haloquill::bench::Soak;
using haloquill::bench::SoakFailure;
using haloquill::bench::Step;
using haloquill::testing::ProgramDriver;
using namespace std::chrono_literals;

constexpr double kAllowedGrowth = 0.02;

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
    // A later start that asks nothing: the update check done, the angel drawn ahead, and the
    // reminder half a day away until a cycle wants it.
    haloquill::testing::StoreQuietLaterStart(driver);

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
            soak.Cycle(0, haloquill::bench::WholeCycle());
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
    using haloquill::bench::NameOf;
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int every = argc > 2 ? std::atoi(argv[2]) : 500;
    const bool wholeCycle = argc <= 3;
    const auto steps = wholeCycle ? std::optional<std::vector<Step>>(haloquill::bench::WholeCycle())
                                  : haloquill::bench::ParseSteps(argv[3]);
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
    } catch (const haloquill::testing::ProgramStartError& error) {
        // The program could not be copied or started: the soak measured nothing.
        std::fflush(stdout);
        std::fprintf(stderr, "Soak failed: %s\n", error.what());
    } catch (const std::exception& error) {
        std::printf("Soak failed: %s\n", error.what());
    }
    // Started inside a Wine desktop, the driver's exit code does not reach the script; the
    // script names a file for it.
    if (const char* path = std::getenv("HALOQUILL_SOAK_RESULT"); path && *path) {
        std::ofstream(path) << result << "\n";
    }
    return result;
}
