// Measures Haloquill.exe under the same Wine, in one run, against two floors: the baseline program
// (one window) for the shown start, CPU while idle, memory and size; and the tray floor (a hidden
// window with an icon in the notification area) for the start into the notification area, the
// CPU of that start and of the idle time after it, and the settled memory. Prints two tables with
// the ratios and their targets and writes them to the file given as the first argument.

#include "bench_table.h"
#include "cpu_time.h"
#include "elapsed_seconds.h"
#include "settled_start.h"

#include "driver/process_start.h"
#include "driver/reminder_time.h"
#include "driver/stored_settings.h"
#include "win32/main_window.h"
#include "win32/registry_settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::bench {

namespace {

struct Measures {
    Stats warm;
    Stats first;
    Stats tray;
    Stats trayStartCpu; // the program's and the server's, from process start to settled
    double idleCpu = 0;
    double idleServerCpu = 0;
    double peakMemory = 0;
    double settledMemory = 0;
    double shownMemory = 0; // settled, after a shown start
    double size = 0;
};

// The values of the starts that settled; a program none of whose starts settled is an error, not
// an empty measure.
std::vector<double> Settled(std::vector<double> values, const Program& program, int runs) {
    if (values.empty()) {
        throw std::runtime_error(program.path + " did not settle within 30 s in any of " +
                                 std::to_string(runs) + " starts");
    }
    return values;
}

// Milliseconds from the start to the settled window of each start that settled.
std::vector<double> TimeStarts(int runs, const std::function<void()>& prepare,
                               const Program& program, const std::string& arguments, bool hidden) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const Running running = StartAndSettle(program, arguments, hidden);
        if (running.window) {
            times.push_back((Seconds() - running.startSeconds) * 1000.0);
        }
    }
    return Settled(std::move(times), program, runs);
}

// CPU milliseconds, the program's and the Wine server's, that each start takes until settled.
std::vector<double> CpuOfStarts(int runs, const std::function<void()>& prepare,
                                const Program& program, const std::string& arguments) {
    std::vector<double> cpu;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const double serverBefore = WineServerCpuSeconds();
        const Running running = StartQuietly(program, arguments);
        if (running.window) {
            const double server = WineServerCpuSeconds() - serverBefore;
            cpu.push_back((ProcessCpuSeconds(program, *running.program) + server) * 1000.0);
        }
    }
    return Settled(std::move(cpu), program, runs);
}

// The memory of a running program; one that cannot be read is an error, not an empty measure.
testing::ProcessResources MemoryOf(const Program& program, const Running& running) {
    const auto resources = running.program->Resources();
    if (!resources) {
        const DWORD error = ::GetLastError();
        throw std::runtime_error("the memory of " + program.path + " could not be read (error " +
                                 std::to_string(error) + ")");
    }
    return *resources;
}

double KiB(SIZE_T bytes) {
    return static_cast<double>(bytes) / 1024.0;
}

// Which starts are measured: the baseline and Haloquill start shown and hidden; the tray floor
// only ever starts into the notification area.
enum class Starts { ShownAndHidden, HiddenOnly };

Measures Measure(const Program& program, int runs, int idleSeconds, Starts starts) {
    Measures measures;
    win32::RegistrySettingsStore settings([&] { return program.name; });
    // The start-with-Windows entry goes again however the measuring ends.
    const testing::RunEntryCleanup runEntry(program.name);
    auto write = [&](const char* key, const std::string& value) {
        if (!settings.WriteSetting(key, value)) {
            throw std::runtime_error("cannot write the setting " + std::string(key) + " of " +
                                     program.name);
        }
    };
    auto clear = [&] { testing::ClearStoredSettings(program.name); };
    // Today as the update check date, so that no update question interrupts a start.
    auto later = [&] {
        write("Hour", "7");
        write("Minute", "0");
        write("Second", "0");
        write("Date", "2100-01-01");
        write("Card", "5");
        write("UpdateCheckDate", testing::TodayIso());
    };
    auto tray = [&] {
        later();
        write("RunAtSysTray", "True");
        write("SystemTray", "True");
        write("AutorunStartUp", "True");
        testing::WriteRunEntry(program.name, "\"" + program.path + "\" /STARTUP");
    };

    // One start first, so that every measured start finds Wine and the file cache warm.
    const bool shown = starts == Starts::ShownAndHidden;
    later();
    StartAndSettle(program, shown ? "" : "/STARTUP", !shown); // ended again at once
    if (shown) {
        measures.warm = Summarise(TimeStarts(runs, later, program, "", false));
        measures.first = Summarise(TimeStarts(runs, clear, program, "", false));
        later();
        const Running shownStart = StartAndSettle(program, "", false);
        ::Sleep(2000);
        measures.shownMemory = KiB(MemoryOf(program, shownStart).workingSet);
    }
    measures.tray = Summarise(TimeStarts(runs, tray, program, "/STARTUP", true));
    measures.trayStartCpu = Summarise(CpuOfStarts(runs, tray, program, "/STARTUP"));

    // Idle in the notification area (the baseline: hidden), then memory.
    tray();
    {
        const Running idle = StartAndSettle(program, "/STARTUP", true);
        ::Sleep(2000);
        measures.settledMemory = KiB(MemoryOf(program, idle).workingSet);
        const double cpuBefore = ProcessCpuSeconds(program, *idle.program);
        const double serverBefore = WineServerCpuSeconds();
        ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
        measures.idleCpu =
            std::max(0.0, (ProcessCpuSeconds(program, *idle.program) - cpuBefore) * 1000.0);
        measures.idleServerCpu = (WineServerCpuSeconds() - serverBefore) * 1000.0;
        measures.peakMemory = KiB(MemoryOf(program, idle).peakWorkingSet);
    }

    clear();

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExA(program.path.c_str(), GetFileExInfoStandard, &attributes);
    measures.size = static_cast<double>(attributes.nFileSizeLow) / 1024.0;
    return measures;
}

// Measures the three programs and writes the tables to `output`.
int Run(const std::string& output, int runs, int idleSeconds) {
    const std::string directory = testing::OwnDirectory();

    // Copies under names of their own, so the measured runs have settings of their own; they are
    // deleted again at the end.
    const testing::ProgramCopy haloquillCopy(directory + "\\Haloquill.exe",
                                             directory + "\\HaloquillBench.exe");
    const testing::ProgramCopy baselineCopy(directory + "\\baseline.exe",
                                            directory + "\\HaloquillBaseline.exe");
    const testing::ProgramCopy trayFloorCopy(directory + "\\tray_baseline.exe",
                                             directory + "\\HaloquillTrayBaseline.exe");
    const Program haloquill{"HaloquillBench", haloquillCopy.Path(), win32::kMainWindowClass};
    const Program baseline{"HaloquillBaseline", baselineCopy.Path(), "HaloquillBaseline"};
    const Program trayFloor{"HaloquillTrayBaseline", trayFloorCopy.Path(), "HaloquillTrayBaseline"};

    const Measures ours = Measure(haloquill, runs, idleSeconds, Starts::ShownAndHidden);
    const Measures floor = Measure(baseline, runs, idleSeconds, Starts::ShownAndHidden);
    const Measures trayFloorMeasures = Measure(trayFloor, runs, idleSeconds, Starts::HiddenOnly);

    // The shown start against the one-window baseline, with the measures it has always had.
    constexpr double kShownStartTarget = 1.25;
    constexpr double kShownMemoryTarget = 1.05;
    std::string table = "| Measure | Haloquill | Baseline | Ratio | Target |\n"
                        "|---|---|---|---|---|\n";
    table += StatsRow("Start-up to a settled window, warm (min / median / max)", ours.warm,
                      floor.warm, kShownStartTarget);
    table += StatsRow("First start, empty store (min / median / max)", ours.first, floor.first,
                      kShownStartTarget);
    table +=
        StatsRow("Start into the notification area (min / median / max)", ours.tray, floor.tray);
    const std::string idleLabel =
        "CPU time over " + std::to_string(idleSeconds) + " s in the notification area";
    table += Row(idleLabel, ours.idleCpu, floor.idleCpu, "ms");
    table += Row("Wine server CPU time over the same time", ours.idleServerCpu, floor.idleServerCpu,
                 "ms");
    table += Row("Working set 2 s after a shown start", ours.shownMemory, floor.shownMemory, "KiB",
                 kShownMemoryTarget);
    table += Row("Settled working set in the notification area (the baseline: hidden)",
                 ours.settledMemory, floor.settledMemory, "KiB");
    table += Row("Peak working set", ours.peakMemory, floor.peakMemory, "KiB");
    table += Row("Executable size", ours.size, floor.size, "KiB");

    // The start into the notification area against the tray floor.
    constexpr double kTrayTimeAndCpuTarget = 1.25;
    constexpr double kTrayMemoryTarget = 1.10;
    table += "\n| Start into the notification area | Haloquill | Tray floor | Ratio | Target |\n"
             "|---|---|---|---|---|\n";
    table += StatsRow("Time to settle (min / median / max)", ours.tray, trayFloorMeasures.tray,
                      kTrayTimeAndCpuTarget);
    table += StatsRow("CPU time of the start, program and Wine server (min / median / max)",
                      ours.trayStartCpu, trayFloorMeasures.trayStartCpu, kTrayTimeAndCpuTarget);
    table += Row(
        "CPU time over " + std::to_string(idleSeconds) + " s after it, program and Wine server",
        ours.idleCpu + ours.idleServerCpu,
        trayFloorMeasures.idleCpu + trayFloorMeasures.idleServerCpu, "ms", kTrayTimeAndCpuTarget);
    table += Row("Settled working set", ours.settledMemory, trayFloorMeasures.settledMemory, "KiB",
                 kTrayMemoryTarget);
    table += Row("Peak working set", ours.peakMemory, trayFloorMeasures.peakMemory, "KiB");
    std::printf("%s", table.c_str());
    std::ofstream file(output);
    if (!(file << table)) {
        std::fprintf(stderr, "bench_runner: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}

} // namespace

} // namespace haloquill::bench

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "bench-results.md";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    if (runs < 1 || idleSeconds < 0) {
        std::fprintf(stderr, "usage: bench_runner [output file] [runs] [idle seconds]\n");
        return 2;
    }
    try {
        return haloquill::bench::Run(output, runs, idleSeconds);
    } catch (const std::exception& error) {
        // A program that could not be copied or started, with its Windows error code, or a
        // measure that could not be taken: no table of empty measures.
        std::fflush(stdout);
        std::fprintf(stderr, "bench_runner: %s\n", error.what());
        return 1;
    }
}
